#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry_backend.h"

namespace qb::scanner {

// Text in the system's 8-bit (ANSI) code page, which REGEDIT4 files use.
using AnsiEncoder = std::function<std::string(std::u16string_view)>;

// "B" and the local year, month, day, hour, minute and second, each without
// leading zeros: 2004-03-05 09:07:02 gives "B200435972".
std::string BackupBaseName(const platform::LocalTime& time);

// The name of the `attempt`-th candidate: "B200435972.reg", then
// "B200435972-2.reg", "B200435972-3.reg", ... so that no backup ever replaces
// an earlier one, also when two moments give the same digits.
std::string BackupFileName(std::string_view base_name, int attempt);

// A REGEDIT4 file that restores the Browser Helper Objects keys of `clsids`
// exactly: "REGEDIT4", an empty line, then for each key its line, its values
// and then each subkey with its own values, parents before children, every
// key followed by an empty line. Values are written as regedit writes them:
// "name"="text" with \ and " escaped, @ for the default value, dword:, hex:
// and hex(n): for everything else. Every line ends with CR LF.
std::string BackupText(platform::RegistryBackend& registry, const std::vector<std::string>& clsids,
                       const AnsiEncoder& to_ansi);

}  // namespace qb::scanner
