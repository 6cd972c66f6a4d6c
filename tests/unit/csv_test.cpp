#include "report/csv.h"

#include <gtest/gtest.h>

namespace qb::report {
namespace {

// A reader as spreadsheets and scripting languages read RFC 4180: fields
// split at commas, quoted fields may hold commas, line breaks and doubled
// quotes; records end at CR LF.
std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
  std::vector<std::vector<std::string>> records(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().push_back(std::move(field));
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.back().push_back(std::move(field));
      field.clear();
      records.emplace_back();
      ++i;
    } else {
      field += c;
    }
  }
  if (records.back().empty() && field.empty()) records.pop_back();
  return records;
}

TEST(Csv, EveryFieldComesBackThroughACsvReader) {
  const std::vector<std::string> fields = {
      "plain",
      "with, comma",
      "with \"quotes\"",
      "two\r\nlines",
      "line\nfeed only",
      "\"",
      "",
      "Caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80",
      "C:\\Program Files\\x.dll",
      " spaces around ",
  };
  const std::string line = CsvLine(fields);
  EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
  const auto records = ReadCsv(line + CsvLine({"second", "record"}));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], fields);
  EXPECT_EQ(records[1], (std::vector<std::string>{"second", "record"}));
}

TEST(Csv, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(CsvField("plain text"), "plain text");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("a\r\nb"), "\"a\r\nb\"");
  EXPECT_EQ(CsvLine({"a", "", "c"}), "a,,c\r\n");
}

// Names come from the programs this tool removes: no field may become a
// formula in a spreadsheet, and characters CSV cannot hold are replaced.
TEST(Csv, HostileTextStaysText) {
  EXPECT_EQ(CsvField("=HYPERLINK(\"http://x.example\")"),
            "\"'=HYPERLINK(\"\"http://x.example\"\")\"");
  EXPECT_EQ(CsvField("+1"), "'+1");
  EXPECT_EQ(CsvField("-2"), "'-2");
  EXPECT_EQ(CsvField("@SUM(A1)"), "'@SUM(A1)");
  EXPECT_EQ(CsvField("a=b"), "a=b");
  EXPECT_EQ(CsvField(std::string("nul\0tab\t", 8)), "nul\xEF\xBF\xBDtab\xEF\xBF\xBD");
  // Spreadsheets skip leading blanks and line breaks, and read the
  // full-width signs as the signs themselves.
  EXPECT_EQ(CsvField("\r\n=1+1"), "\"'\r\n=1+1\"");
  EXPECT_EQ(CsvField(" \n @x"), "\"' \n @x\"");
  EXPECT_EQ(CsvField("\xE3\x80\x80-1"), "'\xE3\x80\x80-1");
  for (const char* sign : {"\xEF\xBC\x9D", "\xEF\xBC\x8B", "\xEF\xBC\x8D", "\xEF\xBC\xA0"}) {
    EXPECT_EQ(CsvField(std::string(sign) + "1"), "'" + std::string(sign) + "1");
  }
  EXPECT_EQ(CsvField("\r\nplain"), "\"\r\nplain\"");
  EXPECT_EQ(CsvField("  "), "  ");
}

}  // namespace
}  // namespace qb::report
