#include "report/csv.h"

namespace qb::report {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool StartsFormula(std::string_view text) {
  return !text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@');
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
