#include "scanner/backup_reader.h"

#include <algorithm>
#include <stdexcept>

namespace qb::scanner {
namespace {

constexpr std::uint32_t kString = 1;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;

// What makes a line no part of a backup; it never leaves the parser, which
// turns it into its result.
class Malformed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Whether the last character of `line` is the single byte `c`, not the
// second byte of a double-byte character.
bool EndsWithCharacter(std::string_view line, char c, const platform::CodePage& code_page) {
  std::size_t last = 0;
  for (std::size_t at = 0; at < line.size(); at += code_page.CharacterSize(line, at)) last = at;
  return !line.empty() && last + 1 == line.size() && line[last] == c;
}

// A quoted field at the start of `rest`, with \\ and \" escaped; `rest` is
// left after the closing quote. Read a character at a time, as regedit
// reads it: a double-byte character is never an escape or a quote.
std::string TakeQuoted(std::string_view& rest, const platform::CodePage& code_page) {
  if (!rest.starts_with('"')) throw Malformed("a quoted text was expected");
  std::string text;
  std::size_t i = 1;
  while (i < rest.size() && rest[i] != '"') {
    const std::size_t size = code_page.CharacterSize(rest, i);
    if (size == 1 && rest[i] == '\\') {
      if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"')) {
        throw Malformed("a quoted text holds an unknown escape");
      }
    }
    text += rest.substr(i, size);
    i += size;
  }
  if (i == rest.size()) throw Malformed("a quoted text has no closing quote");
  rest.remove_prefix(i + 1);
  return text;
}

std::uint32_t HexNumber(std::string_view digits, std::size_t max_digits) {
  if (digits.empty() || digits.size() > max_digits) throw Malformed("a number is malformed");
  std::uint32_t number = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) throw Malformed("a number is malformed");
    number = number * 16 + static_cast<std::uint32_t>(digit);
  }
  return number;
}

std::vector<std::uint8_t> HexBytes(std::string_view list) {
  std::vector<std::uint8_t> bytes;
  if (list.empty()) return bytes;
  for (;;) {
    if (list.size() < 2 || HexDigit(list[0]) < 0 || HexDigit(list[1]) < 0) {
      throw Malformed("hex data is malformed");
    }
    bytes.push_back(static_cast<std::uint8_t>(HexDigit(list[0]) * 16 + HexDigit(list[1])));
    list.remove_prefix(2);
    if (list.empty()) return bytes;
    if (list[0] != ',') throw Malformed("hex data is malformed");
    list.remove_prefix(1);
  }
}

BackupValue ParseValue(std::string_view line, const platform::CodePage& code_page) {
  BackupValue value;
  if (line.starts_with('@')) {
    line.remove_prefix(1);
  } else {
    value.name = TakeQuoted(line, code_page);
    if (value.name.empty()) throw Malformed("a value has an empty quoted name");
  }
  if (!line.starts_with('=')) throw Malformed("\"=\" was expected after the value name");
  line.remove_prefix(1);

  if (line.starts_with('"')) {
    const std::string text = TakeQuoted(line, code_page);
    if (!line.empty()) throw Malformed("text follows the quoted data");
    value.type = kString;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
  } else if (line.starts_with("dword:")) {
    const std::uint32_t number = HexNumber(line.substr(6), 8);
    if (line.size() != 14) throw Malformed("a dword has not 8 digits");
    value.type = kDword;
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back((number >> shift) & 0xFF);
  } else if (line.starts_with("hex:")) {
    value.type = kBinary;
    value.data = HexBytes(line.substr(4));
  } else if (line.starts_with("hex(")) {
    const std::size_t close = line.find("):");
    if (close == std::string_view::npos) throw Malformed("hex data is malformed");
    value.type = HexNumber(line.substr(4, close - 4), 8);
    value.data = HexBytes(line.substr(close + 2));
  } else {
    throw Malformed("the data has an unknown form");
  }
  return value;
}

// The lines of `text`: CR LF or LF ends, hex data continued by "\" joined.
std::vector<std::string> LogicalLines(std::string_view text, const platform::CodePage& code_page,
                                      std::vector<std::size_t>& numbers) {
  std::vector<std::string> lines;
  std::size_t number = 0;
  bool continued = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.find('\r') != std::string_view::npos) {
      throw Malformed("line " + std::to_string(number) + " holds a lone carriage return");
    }
    if (continued) {
      line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
      lines.back() += line;
    } else {
      lines.emplace_back(line);
      numbers.push_back(number);
    }
    // Only the new piece is read for its last character: the piece before
    // it ended with a whole character, the "\" taken off.
    continued = !lines.back().starts_with(';') && EndsWithCharacter(line, '\\', code_page) &&
                lines.back().find("=hex") != std::string::npos;
    if (continued) lines.back().pop_back();
  }
  if (continued) throw Malformed("the file ends inside continued hex data");
  return lines;
}

}  // namespace

Parsed<ParsedBackup> ParseBackupText(std::string_view text, const platform::CodePage& code_page) {
  ParsedBackup content;
  try {
    std::vector<std::size_t> numbers;
    const std::vector<std::string> lines = LogicalLines(text, code_page, numbers);
    if (lines.empty() || lines[0] != "REGEDIT4") {
      throw Malformed("it does not begin with REGEDIT4");
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const std::string_view line = lines[i];
      try {
        if (line.empty()) continue;
        if (line.starts_with(';')) {
          content.comments.emplace_back(line.substr(1));
        } else if (line.starts_with('[')) {
          if (!EndsWithCharacter(line, ']', code_page) || line.size() < 3 || line[1] == '-') {
            throw Malformed("a key line is malformed");
          }
          content.keys.push_back({std::string(line.substr(1, line.size() - 2)), {}});
        } else if (content.keys.empty()) {
          throw Malformed("a value comes before any key");
        } else {
          content.keys.back().values.push_back(ParseValue(line, code_page));
        }
      } catch (const Malformed& malformed) {
        throw Malformed("line " + std::to_string(numbers[i]) + ": " + malformed.what());
      }
    }
  } catch (const Malformed& malformed) {
    return Parsed<ParsedBackup>::Wrong(malformed.what());
  }
  return content;
}

}  // namespace qb::scanner
