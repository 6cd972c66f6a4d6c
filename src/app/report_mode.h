#pragma once

#include <string>
#include <vector>

namespace qb::app {

// `quellbright.exe REPORT <file>`: the switch word, like the others, in any
// letter case, as the first argument.
bool IsReportCommand(const std::vector<std::wstring>& arguments);

// Writes the report of every registered browser helper object to the file
// named by the second argument ("-": the console the program was started
// from) and gives the exit code: 0 when nothing is suspicious, 1 when
// something is, 2 when no report could be made, which the console is told.
// No window, tray icon or message box appears; nothing is written but the
// report, which replaces its file whole or not at all. Runs beside a copy
// that guards the machine, and never wakes it.
int RunReport(const std::vector<std::wstring>& arguments);

}  // namespace qb::app
