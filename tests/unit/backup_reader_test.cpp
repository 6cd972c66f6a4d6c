#include "scanner/backup_reader.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "sample_code_page_932.h"
#include "scanner/backup.h"

namespace qb::scanner {

void PrintTo(const BackupValue& value, std::ostream* out) {
  *out << '"' << value.name << "\" type " << value.type << " bytes";
  for (std::uint8_t byte : value.data) *out << ' ' << static_cast<int>(byte);
}

namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
namespace value_type = platform::value_type;

constexpr char kClsid[] = "E2E0000A-0000-4000-8000-00000000000A";
constexpr char kKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{E2E0000A-0000-4000-8000-00000000000A}";

const platform::Windows1252 kAnsi;

// 8-bit text and its terminating zero, as the reader gives string data.
std::vector<std::uint8_t> Sz(std::string_view text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

ParsedBackup Parse(std::string_view text) {
  const Parsed<ParsedBackup> content = ParseBackupText(text, kAnsi);
  EXPECT_EQ(content.problem(), "");
  return content ? *content : ParsedBackup{};
}

TEST(BackupReader, ReadsBackEveryKeyAndValueTheWriterWrites) {
  platform::MemoryRegistry registry;
  const auto set = [&](const std::string& path, const char* name, RegistryValue value) {
    registry.SetValue(RegistryRoot::LocalMachine, path, name, std::move(value));
  };
  const std::string key = kKey;
  set(key, "", platform::MakeStringValue("Sample \"quoted\" C:\\dir\\x.dll"));
  set(key, "Say \"hi\"\\now", platform::MakeStringValue(""));
  set(key, "Flags", platform::MakeDwordValue(0x1234ABCD));
  set(key, "Blob", {value_type::kBinary, std::vector<std::uint8_t>(100, 0xAB)});
  set(key, "Path", platform::MakeStringValue("%SystemRoot%\\x", value_type::kExpandString));
  set(key, "Lines", platform::MakeStringValue("one\r\ntwo"));
  set(key, "Big", {value_type::kQword, {1, 0, 0, 0, 0, 0, 0, 0}});
  set(key, "Nothing", {value_type::kNone, {}});
  set(key + "\\Child\\Grandchild", "", platform::MakeStringValue("deepest"));

  const ParsedBackup content =
      Parse(BackupText(registry, {u"E2E0000A-0000-4000-8000-00000000000A"}, kAnsi).text);

  const std::string line =
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
      "explorer\\Browser Helper Objects\\{" +
      std::string(kClsid) + "}";
  ASSERT_EQ(content.keys.size(), 3u);
  EXPECT_EQ(content.keys[0].path, line);
  EXPECT_EQ(content.keys[1].path, line + "\\Child");
  EXPECT_TRUE(content.keys[1].values.empty());
  EXPECT_EQ(content.keys[2].path, line + "\\Child\\Grandchild");
  const std::vector<BackupValue> expected = {
      {"", value_type::kString, Sz("Sample \"quoted\" C:\\dir\\x.dll")},
      {"Say \"hi\"\\now", value_type::kString, {0}},
      {"Flags", value_type::kDword, {0xCD, 0xAB, 0x34, 0x12}},
      {"Blob", value_type::kBinary, std::vector<std::uint8_t>(100, 0xAB)},
      {"Path", value_type::kExpandString, Sz("%SystemRoot%\\x")},
      {"Lines", value_type::kString, Sz("one\r\ntwo")},
      {"Big", value_type::kQword, {1, 0, 0, 0, 0, 0, 0, 0}},
      {"Nothing", value_type::kNone, {}},
  };
  EXPECT_EQ(content.keys[0].values, expected);
  EXPECT_EQ(content.keys[2].values,
            (std::vector<BackupValue>{{"", value_type::kString, Sz("deepest")}}));
}

TEST(BackupReader, AcceptsLineFeedsCommentsAndEmptyFiles) {
  const ParsedBackup content =
      Parse("REGEDIT4\n\n; a note\n[HKEY_LOCAL_MACHINE\\X]\n\"a\"=hex:01,\\\n  02\n");
  ASSERT_EQ(content.keys.size(), 1u);
  EXPECT_EQ(content.keys[0].values, (std::vector<BackupValue>{{"a", value_type::kBinary, {1, 2}}}));
  EXPECT_EQ(content.comments, std::vector<std::string>{" a note"});
  EXPECT_TRUE(Parse("REGEDIT4\r\n\r\n").keys.empty());
}

// In code page 932 a lead byte and the byte after it are one character,
// also when that byte is "\" (表 is 95 5C, ソ 83 5C) or "]" (ゾ is 83 5D):
// it is never an escape, a closing quote or the end of a key line.
TEST(BackupReader, ReadsADoubleByteCodePageACharacterAtATime) {
  const qb::testing::SampleCodePage932 cp932;
  const Parsed<ParsedBackup> parsed =
      ParseBackupText("REGEDIT4\r\n[K\\\x83\x5C]\r\n\"\x95\x5C\"=\"a\\\\\x83\x5C\"\r\n", cp932);
  ASSERT_TRUE(parsed) << parsed.problem();
  const ParsedBackup& content = *parsed;
  ASSERT_EQ(content.keys.size(), 1u);
  EXPECT_EQ(content.keys[0].path, "K\\\x83\x5C");
  EXPECT_EQ(content.keys[0].values,
            (std::vector<BackupValue>{{"\x95\x5C", value_type::kString, Sz("a\\\x83\x5C")}}));

  EXPECT_EQ(ParseBackupText("REGEDIT4\r\n[K]\r\n\"a\"=\"\x95\"\r\n", cp932).problem(),
            "line 3: a quoted text has no closing quote");
  EXPECT_EQ(ParseBackupText("REGEDIT4\r\n[K\x83]\r\n", cp932).problem(),
            "line 2: a key line is malformed");
}

TEST(BackupReader, RefusesAnythingTheWriterDoesNotWrite) {
  const std::pair<const char*, const char*> damaged[] = {
      {"", "it does not begin with REGEDIT4"},
      {"Windows Registry Editor Version 5.00\r\n", "it does not begin with REGEDIT4"},
      {"REGEDIT4\r\n\"a\"=\"b\"\r\n", "line 2: a value comes before any key"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=\"b\r\n", "line 3: a quoted text has no closing quote"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=\"b\\n\"\r\n", "line 3: a quoted text holds an unknown escape"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=\"b\" x\r\n", "line 3: text follows the quoted data"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=dword:1234567\r\n", "line 3: a dword has not 8 digits"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=dword:123456789\r\n", "line 3: a number is malformed"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=hex:1,02\r\n", "line 3: hex data is malformed"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=hex:01,zz\r\n", "line 3: hex data is malformed"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=hex(2:01\r\n", "line 3: hex data is malformed"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=hex:01,\\\r\n", "the file ends inside continued hex data"},
      {"REGEDIT4\r\n[-K]\r\n", "line 2: a key line is malformed"},
      {"REGEDIT4\r\n[K\r\n", "line 2: a key line is malformed"},
      {"REGEDIT4\r\n[K]\r\na=b\r\n", "line 3: a quoted text was expected"},
      {"REGEDIT4\r\n[K]\r\n\"\"=\"b\"\r\n", "line 3: a value has an empty quoted name"},
      {"REGEDIT4\r\n[K]\r\n\"a\"=wide:1\r\n", "line 3: the data has an unknown form"},
      {"REGEDIT4\r\n[K]\r[L]\r\n", "line 2 holds a lone carriage return"},
  };
  for (const auto& [text, reason] : damaged) {
    const Parsed<ParsedBackup> content = ParseBackupText(text, kAnsi);
    EXPECT_FALSE(content) << text;
    EXPECT_EQ(content.problem(), reason) << text;
  }
}

}  // namespace
}  // namespace qb::scanner
