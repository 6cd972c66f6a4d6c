#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/registry_backend.h"

namespace qb::scanner {

// "B" and the local year, month, day, hour, minute and second, each without
// leading zeros: 2004-03-05 09:07:02 gives "B200435972".
std::string BackupBaseName(const platform::LocalTime& time);

// The name of the `attempt`-th candidate: "B200435972.reg", then
// "B200435972-2.reg", "B200435972-3.reg", ... so that no backup ever replaces
// an earlier one, also when two moments give the same digits.
std::string BackupFileName(std::string_view base_name, int attempt);

// The first line of every item the backup had to leave out.
inline constexpr char kNotBackedUp[] = "; Not backed up: ";

struct BackupContent {
  std::string text;
  // The objects of which something was left out, in the order given.
  std::vector<std::u16string> incomplete;
};

// A REGEDIT4 file that restores the Browser Helper Objects keys of `clsids`:
// "REGEDIT4", an empty line, then for each key its line, its values and then
// each subkey with its own values, parents before children, every key
// followed by an empty line. Values are written as regedit writes them:
// "name"="text" with \ and " escaped, @ for the default value, dword:, hex:
// and hex(n): for everything else; text in the ANSI code page, escaped a
// character at a time (the second byte of a double-byte character is never
// escaped). Every line ends with CR LF.
//
// REGEDIT4 is 8-bit text in lines: a name with a line break or a NUL, and a
// name or text with a character the code page lacks, cannot be written so
// that a merge gives it back. Such a key (with everything below it) or value
// becomes a comment line that names it in printable ASCII instead, so that
// no name can break the file's lines, and its object counts as incomplete.
BackupContent BackupText(platform::RegistryBackend& registry,
                         const std::vector<std::u16string>& clsids,
                         const platform::CodePage& code_page);

// `name` in printable ASCII, in quotes: \ and " escaped, CR, LF and NUL as
// \r, \n and \0, other control characters as \xNN, everything above ASCII as
// \uNNNN.
std::string PrintableName(std::u16string_view name);

}  // namespace qb::scanner
