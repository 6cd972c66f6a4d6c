#include "scanner/backup.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace qb::scanner {
namespace {

using platform::MakeStringValue;
using platform::RegistryRoot;
using platform::RegistryValue;
namespace value_type = platform::value_type;

constexpr char kClsid[] = "E2E0000A-0000-4000-8000-00000000000A";
constexpr char kKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{E2E0000A-0000-4000-8000-00000000000A}";
constexpr char kLine[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper "
    "Objects\\{E2E0000A-0000-4000-8000-00000000000A}";

// ISO 8859-1, with "?" for what it lacks: enough to test the 8-bit text.
std::string Latin1(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) out += unit < 0x100 ? static_cast<char>(unit) : '?';
  return out;
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
  EXPECT_EQ(BackupText(registry, {kClsid}, Latin1),
            std::string("REGEDIT4\r\n\r\n") + kLine + "]\r\n\r\n");
  EXPECT_EQ(BackupText(registry, {}, Latin1), "REGEDIT4\r\n\r\n");
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
  EXPECT_EQ(BackupText(registry, {kClsid}, Latin1),
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
  const std::string text = BackupText(registry, {kClsid}, Latin1);
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

TEST(BackupText, WritesOneBlockPerObjectInTheOrderGiven) {
  platform::MemoryRegistry registry;
  const std::string second = "E2E0000B-0000-4000-8000-00000000000B";
  const std::string text = BackupText(registry, {second, kClsid}, Latin1);
  EXPECT_LT(text.find(second), text.find(kClsid));
}

}  // namespace
}  // namespace qb::scanner
