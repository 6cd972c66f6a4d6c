#include "scanner/backup.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/utf.h"
#include "sample_code_page_932.h"
#include "scanner/backup_reader.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
namespace {

using platform::MakeStringValue;
using platform::RegistryRoot;
using platform::RegistryValue;
namespace value_type = platform::value_type;

constexpr char16_t kClsid[] = u"E2E0000A-0000-4000-8000-00000000000A";
constexpr char kKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{E2E0000A-0000-4000-8000-00000000000A}";
constexpr char kLine[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper "
    "Objects\\{E2E0000A-0000-4000-8000-00000000000A}";

const platform::Windows1252 kAnsi;

std::string Text(platform::MemoryRegistry& registry, const std::vector<std::u16string>& clsids) {
  return BackupText(registry, clsids, kAnsi).text;
}

TEST(BackupName, HasTheDigitsOfTheMomentWithoutLeadingZeros) {
  EXPECT_EQ(BackupBaseName({2004, 3, 5, 9, 7, 2, 999}), "B200435972");
  EXPECT_EQ(BackupBaseName({2026, 12, 31, 23, 59, 58, 0}), "B20261231235958");
  EXPECT_EQ(BackupFileName("B200435972", 1), "B200435972.reg");
  EXPECT_EQ(BackupFileName("B200435972", 2), "B200435972-2.reg");
  EXPECT_EQ(BackupFileName("B200435972", 13), "B200435972-13.reg");
}

TEST(BackupText, ListsOnlyTheKeyLineForAKeyThatIsGone) {
  platform::MemoryRegistry registry;
  EXPECT_EQ(Text(registry, {kClsid}), std::string("REGEDIT4\r\n\r\n") + kLine + "]\r\n\r\n");
  EXPECT_EQ(Text(registry, {}), "REGEDIT4\r\n\r\n");
}

TEST(BackupText, HoldsEveryValueAndSubkeyInRegeditSyntax) {
  platform::MemoryRegistry registry;
  const auto set = [&](const std::string& path, const char* name, RegistryValue value) {
    registry.SetValue(RegistryRoot::LocalMachine, path, name, std::move(value));
  };
  const std::string key = kKey;
  set(key, "", MakeStringValue("Sample \"quoted\" C:\\dir\\x.dll"));
  set(key, "NoExplorer", MakeStringValue("1"));
  set(key, "Say \"hi\"\\now", MakeStringValue(""));
  set(key, "Flags", platform::MakeDwordValue(0x1234ABCD));
  set(key, "Blob", {value_type::kBinary, {0x00, 0x01, 0xFE, 0xFF}});
  set(key, "Path", MakeStringValue("%SystemRoot%\\x", value_type::kExpandString));
  set(key, "Latin", MakeStringValue("Caf\xC3\xA9"));
  RegistryValue multi = MakeStringValue("a");
  const RegistryValue b = MakeStringValue("b");
  multi.data.insert(multi.data.end(), b.data.begin(), b.data.end());
  multi.data.push_back(0);
  multi.data.push_back(0);
  multi.type = value_type::kMultiString;
  set(key, "Multi", multi);
  set(key, "Big", {value_type::kQword, {1, 0, 0, 0, 0, 0, 0, 0}});
  set(key, "Nothing", {value_type::kNone, {}});
  set(key, "ShortDword", {value_type::kDword, {7, 0}});
  set(key, "Lines", MakeStringValue("one\r\ntwo"));
  set(key + "\\Child", "Inner", MakeStringValue("child"));
  set(key + "\\Child\\Grandchild", "", MakeStringValue("deepest"));
  registry.CreateKey(RegistryRoot::LocalMachine, key + "\\Empty");

  const std::string line = kLine;
  EXPECT_EQ(Text(registry, {kClsid}),
            "REGEDIT4\r\n"
            "\r\n" +
                line + "]\r\n" +
                "@=\"Sample \\\"quoted\\\" C:\\\\dir\\\\x.dll\"\r\n"
                "\"NoExplorer\"=\"1\"\r\n"
                "\"Say \\\"hi\\\"\\\\now\"=\"\"\r\n"
                "\"Flags\"=dword:1234abcd\r\n"
                "\"Blob\"=hex:00,01,fe,ff\r\n"
                "\"Path\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,78,00\r\n"
                "\"Latin\"=\"Caf\xE9\"\r\n"
                "\"Multi\"=hex(7):61,00,62,00,00\r\n"
                "\"Big\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                "\"Nothing\"=hex(0):\r\n"
                "\"ShortDword\"=hex(4):07,00\r\n"
                "\"Lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f,00\r\n"
                "\r\n" +
                line + "\\Child]\r\n" +
                "\"Inner\"=\"child\"\r\n"
                "\r\n" +
                line + "\\Child\\Grandchild]\r\n" +
                "@=\"deepest\"\r\n"
                "\r\n" +
                line + "\\Empty]\r\n" + "\r\n");
}

TEST(BackupText, LongHexDataIsContinuedOverLines) {
  platform::MemoryRegistry registry;
  registry.SetValue(RegistryRoot::LocalMachine, kKey, "Blob",
                    {value_type::kBinary, std::vector<std::uint8_t>(40, 0xAB)});
  const std::string text = Text(registry, {kClsid});
  std::string value = text.substr(text.find("\"Blob\"=hex:"));
  value = value.substr(0, value.find("\r\n\r\n"));
  // Lines of at most 80 characters; each but the last ends with ",\", each
  // continuation starts with two blanks; all 40 bytes are there.
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = value.find("\r\n", start);
    lines.push_back(value.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 2), ",\\");
  EXPECT_LE(lines[0].size(), 80u);
  EXPECT_GT(lines[0].size(), 70u);
  EXPECT_EQ(lines[1].substr(0, 2), "  ");
  std::size_t bytes = 0;
  for (std::size_t at = value.find("ab"); at != std::string::npos; at = value.find("ab", at + 2)) {
    ++bytes;
  }
  EXPECT_EQ(bytes, 40u);
}

// In code page 932 the second byte of many characters is 0x5C. Regedit
// decodes a line before it reads the escapes, so only a "\" of its own is
// doubled; doubled, the 0x5C of the last character would escape the
// closing quote and regedit would drop the value.
TEST(BackupText, EscapesTextACharacterOfTheCodePageAtATime) {
  platform::MemoryRegistry registry;
  const std::u16string key = platform::Utf8ToUtf16(kKey);
  // 表 (95 5C), ソ (83 5C).
  registry.SetValue(RegistryRoot::LocalMachine, key, u"\u8868", MakeStringValue(u"a\\\u30BD"));
  registry.SetValue(RegistryRoot::LocalMachine, key, u"\"\u30BD\"", MakeStringValue(u"\u8868"));
  registry.CreateKey(RegistryRoot::LocalMachine, key + u"\\\u8868");
  const qb::testing::SampleCodePage932 cp932;
  const BackupContent backup = BackupText(registry, {kClsid}, cp932);

  const std::string line = kLine;
  EXPECT_EQ(backup.text, "REGEDIT4\r\n\r\n" + line + "]\r\n" +
                             "\"\x95\x5C\"=\"a\\\\\x83\x5C\"\r\n"
                             "\"\\\"\x83\x5C\\\"\"=\"\x95\x5C\"\r\n"
                             "\r\n" +
                             line + "\\\x95\x5C]\r\n\r\n");
  EXPECT_TRUE(backup.incomplete.empty());
}

TEST(BackupText, WritesOneBlockPerObjectInTheOrderGiven) {
  platform::MemoryRegistry registry;
  const std::string text = Text(registry, {u"E2E0000B-0000-4000-8000-00000000000B", kClsid});
  EXPECT_LT(text.find("E2E0000B"), text.find("E2E0000A"));
}

}  // namespace
}  // namespace qb::scanner

namespace qb::scanner {
namespace {

// What the program's own reader makes of a backup: every line must be one
// it knows, whatever the names were.
ParsedBackup ReadBack(const std::string& text) {
  const Parsed<ParsedBackup> parsed = ParseBackupText(text, kAnsi);
  EXPECT_EQ(parsed.problem(), "");
  return parsed ? *parsed : ParsedBackup{};
}

class HostileNamesTest : public ::testing::Test {
 protected:
  std::u16string Key() const { return platform::Utf8ToUtf16(kKey); }
  void Set(const std::u16string& path, const std::u16string& name, RegistryValue value) {
    registry.SetValue(RegistryRoot::LocalMachine, path, name, std::move(value));
  }
  BackupContent Backup() { return BackupText(registry, {kClsid}, kAnsi); }

  platform::MemoryRegistry registry;
};

TEST_F(HostileNamesTest, ANameWithALineBreakCannotInjectAKey) {
  Set(Key(), u"x\r\n[HKEY_LOCAL_MACHINE\\Software\\Evil]\r\n\"a\"", MakeStringValue("b"));
  Set(Key(), u"NoExplorer", MakeStringValue("1"));
  const BackupContent backup = Backup();

  EXPECT_EQ(backup.incomplete, std::vector<std::u16string>{kClsid});
  const ParsedBackup parsed = ReadBack(backup.text);
  ASSERT_EQ(parsed.keys.size(), 1u) << backup.text;
  EXPECT_EQ(parsed.keys[0].values.size(), 1u);
  EXPECT_EQ(parsed.keys[0].values[0].name, "NoExplorer");
  ASSERT_EQ(parsed.comments.size(), 1u);
  EXPECT_EQ(parsed.comments[0],
            " Not backed up: the value "
            "\"x\\r\\n[HKEY_LOCAL_MACHINE\\\\Software\\\\Evil]\\r\\n\\\"a\\\"\"");
}

TEST_F(HostileNamesTest, WhatTheCodePageLacksOrANulHoldsIsLeftOutAndNamed) {
  Set(Key(), std::u16string(u"nul\0inside", 10), platform::MakeDwordValue(1));
  Set(Key(), u"lone \xD800 surrogate", platform::MakeDwordValue(2));
  Set(Key(), u"Chinese \u4E2D", platform::MakeDwordValue(3));
  Set(Key(), u"Text", MakeStringValue(u"\u4E2D\u6587"));
  Set(Key(), u"Euro \u20AC", MakeStringValue(u"caf\u00E9 \u20AC"));  // in the code page
  const BackupContent backup = Backup();

  const ParsedBackup parsed = ReadBack(backup.text);
  ASSERT_EQ(parsed.keys.size(), 1u);
  ASSERT_EQ(parsed.keys[0].values.size(), 1u);
  EXPECT_EQ(parsed.keys[0].values[0].name, "Euro \x80");
  EXPECT_EQ(parsed.keys[0].values[0].data,
            (std::vector<std::uint8_t>{'c', 'a', 'f', 0xE9, ' ', 0x80, 0}));
  EXPECT_EQ(parsed.comments,
            (std::vector<std::string>{" Not backed up: the value \"nul\\0inside\"",
                                      " Not backed up: the value \"lone \\uD800 surrogate\"",
                                      " Not backed up: the value \"Chinese \\u4E2D\"",
                                      " Not backed up: the text of the value \"Text\""}));
  EXPECT_EQ(backup.incomplete, std::vector<std::u16string>{kClsid});
}

TEST_F(HostileNamesTest, ASubkeyThatCannotBeNamedIsLeftOutWithEverythingBelowIt) {
  const std::u16string hidden = std::u16string(u"Sub\0x", 5);
  Set(Key() + u"\\" + hidden, u"a", MakeStringValue("secret"));
  Set(Key() + u"\\" + hidden + u"\\Deeper", u"b", MakeStringValue("also"));
  Set(Key() + u"\\Plain", u"c", MakeStringValue("kept"));
  const BackupContent backup = Backup();

  const ParsedBackup parsed = ReadBack(backup.text);
  ASSERT_EQ(parsed.keys.size(), 2u);
  EXPECT_EQ(parsed.keys[1].path.substr(parsed.keys[1].path.size() - 6), "\\Plain");
  EXPECT_EQ(backup.text.find("secret"), std::string::npos);
  EXPECT_EQ(backup.text.find("Deeper"), std::string::npos);
  ASSERT_EQ(parsed.comments.size(), 1u);
  EXPECT_EQ(
      parsed.comments[0].find(" Not backed up: the subkey \"Sub\\0x\" of [HKEY_LOCAL_MACHINE\\"),
      0u);
}

TEST_F(HostileNamesTest, AnObjectWhoseOwnNameCannotBeWrittenIsNamedInAComment) {
  const std::u16string clsid = u"E2E0000A-0000-4000-8000-00000000000A\r\n[HKEY_CURRENT_USER]";
  Set(RemovedKeyPath(clsid), u"a", MakeStringValue("b"));
  const BackupContent backup = BackupText(registry, {clsid, kClsid}, kAnsi);
  const ParsedBackup parsed = ReadBack(backup.text);
  ASSERT_EQ(parsed.keys.size(), 1u);
  EXPECT_NE(parsed.keys[0].path.find("{E2E0000A-0000-4000-8000-00000000000A}"), std::string::npos);
  EXPECT_EQ(backup.incomplete, std::vector<std::u16string>{clsid});
}

TEST_F(HostileNamesTest, ATreeDeeperThanTheRegistryAllowsEndsInAComment) {
  std::u16string path = Key();
  for (int depth = 0; depth < 600; ++depth) path += u"\\d";
  registry.CreateKey(RegistryRoot::LocalMachine, path);
  const BackupContent backup = Backup();
  const ParsedBackup parsed = ReadBack(backup.text);
  EXPECT_EQ(parsed.keys.size(), 512u);
  ASSERT_EQ(parsed.comments.size(), 1u);
  EXPECT_NE(parsed.comments[0].find("deeper than the registry allows"), std::string::npos);
}

TEST(PrintableName, EscapesEverythingButPrintableAscii) {
  EXPECT_EQ(PrintableName(u"plain"), "\"plain\"");
  EXPECT_EQ(PrintableName(u"a\\b\"c"), "\"a\\\\b\\\"c\"");
  EXPECT_EQ(PrintableName(std::u16string(u"\r\n\0\x01\x7F", 5)), "\"\\r\\n\\0\\x01\\x7F\"");
  EXPECT_EQ(PrintableName(u"\u00E9\xDC00"), "\"\\u00E9\\uDC00\"");
}

}  // namespace
}  // namespace qb::scanner
