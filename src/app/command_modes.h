#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qb::app {

// The modes for administrators, which run without a window and end with an
// exit code for scripts: REPORT and POLICY. Their code when `arguments`
// (the command line after the program) name one, which then ran; nothing
// when they name none. Both programs, quellbright.exe and its console
// companion, run the modes through here, before anything else: no
// single-instance test, no launch counted, no running copy woken.
std::optional<int> RunCommandMode(const std::vector<std::wstring>& arguments);

}  // namespace qb::app
