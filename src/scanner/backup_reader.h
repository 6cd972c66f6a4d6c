#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/parsed.h"

// Reading back a REGEDIT4 backup file, as this program writes them.
namespace qb::scanner {

struct BackupValue {
  std::string name;  // 8-bit text as written; empty for the default value ("@")
  std::uint32_t type = 0;
  // "text": its 8-bit bytes and a terminating zero, as REG_SZ; dword: 4
  // little-endian bytes; hex: and hex(n): the bytes listed.
  std::vector<std::uint8_t> data;

  friend bool operator==(const BackupValue&, const BackupValue&) = default;
};

struct BackupKey {
  std::string path;  // the text between the brackets of its line
  std::vector<BackupValue> values;

  friend bool operator==(const BackupKey&, const BackupKey&) = default;
};

struct ParsedBackup {
  std::vector<BackupKey> keys;        // in file order
  std::vector<std::string> comments;  // the text after ";" of each comment line
};

// Parses the whole text before anything is done with it: "REGEDIT4" on the
// first line, then key lines, value lines, comment lines and empty lines,
// with CR LF or LF line ends and hex data continued by a trailing "\".
// Lines are read a character of `code_page` at a time, as regedit reads
// them. Anything else, and a value before the first key, makes the text no
// backup: the result then says which line and why.
Parsed<ParsedBackup> ParseBackupText(std::string_view text, const platform::CodePage& code_page);

}  // namespace qb::scanner
