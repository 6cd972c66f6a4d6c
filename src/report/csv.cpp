#include "report/csv.h"

namespace qb::report {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// UTF-8 of the full-width forms of "=", "+", "-" and "@", which some
// spreadsheets take for the signs themselves, and of the ideographic space.
constexpr std::string_view kFullWidthSigns[] = {"\xEF\xBC\x9D", "\xEF\xBC\x8B", "\xEF\xBC\x8D",
                                                "\xEF\xBC\xA0"};
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// Whether a spreadsheet could read the field as a formula: its first
// character that is no blank and no line break is a sign that starts one.
bool StartsFormula(std::string_view text) {
  for (;;) {
    if (text.starts_with(' ') || text.starts_with('\r') || text.starts_with('\n')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  if (text.empty()) return false;
  if (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@') return true;
  for (std::string_view sign : kFullWidthSigns) {
    if (text.starts_with(sign)) return true;
  }
  return false;
}

}  // namespace

std::string CsvField(std::string_view text) {
  std::string field;
  bool quote = false;
  if (StartsFormula(text)) field += '\'';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"') {
      field += "\"\"";
      quote = true;
    } else if (c == ',' || c == '\r' || c == '\n') {
      field += c;
      quote = true;
    } else if (byte < 0x20 || byte == 0x7F) {
      field += kReplacement;
    } else {
      field += c;
    }
  }
  return quote ? "\"" + field + "\"" : field;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(fields[i]);
  }
  return line + "\r\n";
}

}  // namespace qb::report
