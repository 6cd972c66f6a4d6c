#pragma once

#include <string>
#include <vector>

namespace qb::app {

// `quellbright.exe POLICY <file>`: the word in any letter case, as the
// first argument.
bool IsPolicyCommand(const std::vector<std::wstring>& arguments);

// Writes Internet Explorer's add-on policy that denies every CLSID of the
// blocked list (report::BuildAddonPolicy) to the file named by the second
// argument ("-": standard output) and gives the exit code: 0 when it was
// written, 2 when not, which standard error is told. Entries of the list
// that are no CLSID are left out and counted there in one line. Runs as
// the report does: no window, nothing written but the file, which is
// replaced whole or not at all, never a device, beside a guarding copy
// that it never wakes.
int RunPolicy(const std::vector<std::wstring>& arguments);

}  // namespace qb::app
