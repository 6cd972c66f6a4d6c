#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as spreadsheets and scripting languages read them
// (RFC 4180), in UTF-8.
namespace qb::report {

// One field: quoted when it holds a comma, a quote, CR or LF (quotes
// doubled inside). Control characters other than CR and LF, which CSV
// cannot hold, become U+FFFD. A field whose first character that is no
// blank and no line break is "=", "+", "-" or "@", or a full-width form of
// one, gets a leading apostrophe, so that a spreadsheet shows it as text
// rather than evaluate a formula that whoever wrote the registry chose.
std::string CsvField(std::string_view text);

// The fields joined by commas, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace qb::report
