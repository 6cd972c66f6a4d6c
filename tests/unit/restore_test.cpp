#include "scanner/restore.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/utf.h"
#include "registry/registry_key.h"
#include "registry_snapshot.h"
#include "sample_code_page_932.h"
#include "scanner/backup.h"
#include "scanner/backup_catalog.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
namespace {

using platform::MakeStringValue;
using platform::RegistryRoot;
using platform::RegistryValue;
using qb::testing::ErrorOf;
namespace value_type = platform::value_type;

constexpr char16_t kA[] = u"E2E0000A-0000-4000-8000-00000000000A";
constexpr char16_t kB[] = u"E2E0000B-0000-4000-8000-00000000000B";
const std::u16string kKey64 = RemovedKeyPath(kA);
const std::u16string kKey32 =
    u"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper "
    u"Objects\\{" +
    std::u16string(kB) + u"}";

using Snapshot = qb::testing::RegistrySnapshot;

class RestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.CreateDirectories("/p");
    files.Put("/p/BCLSIDs.txt",
              "other\r\ne2e0000a-0000-4000-8000-00000000000a\r\n" + ansi.Encode(kB) + "\r\n");
    blocked.Load();
  }

  void Set(const std::u16string& path, const std::u16string& name, RegistryValue value) {
    registry.SetValue(RegistryRoot::LocalMachine, path, name, std::move(value));
  }

  // Every value type the backup writer knows, in both views.
  void RegisterRichObjects() {
    RegistryValue multi = MakeStringValue("one");
    const RegistryValue two = MakeStringValue("two");
    multi.data.insert(multi.data.end(), two.data.begin(), two.data.end());
    multi.data.insert(multi.data.end(), {0, 0});
    multi.type = value_type::kMultiString;
    for (const std::u16string& key : {kKey64, kKey32}) {
      Set(key, u"", MakeStringValue("Caf\xC3\xA9 \"quoted\" C:\\dir"));
      Set(key, u"NoExplorer", MakeStringValue("1"));
      Set(key, u"Lines", MakeStringValue("one\r\ntwo"));
      Set(key, u"Path", MakeStringValue("%SystemRoot%\\x", value_type::kExpandString));
      Set(key, u"Multi", multi);
      Set(key, u"Flags", platform::MakeDwordValue(0x1234ABCD));
      Set(key, u"Short", {value_type::kDword, {7, 0}});
      Set(key, u"Blob", {value_type::kBinary, std::vector<std::uint8_t>(300, 0xAB)});
      Set(key, u"Big", {value_type::kQword, {1, 2, 3, 4, 5, 6, 7, 8}});
      Set(key, u"Nothing", {value_type::kNone, {}});
      Set(key + u"\\Child\\Grandchild", u"Deep", MakeStringValue("deepest"));
      registry.CreateKey(RegistryRoot::LocalMachine, key + u"\\Empty");
    }
  }

  Snapshot Objects() { return qb::testing::SnapshotOf(registry, u"Software"); }

  RestorePlan Plan(const std::string& text) {
    const Parsed<RestorePlan> plan = PlanRestore(text, ansi);
    EXPECT_EQ(plan.problem(), "");
    return plan ? *plan : RestorePlan{};
  }

  std::string Refusal(const std::string& text) {
    const Parsed<RestorePlan> plan = PlanRestore(text, ansi);
    EXPECT_FALSE(plan);
    return plan.problem();
  }

  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  platform::Windows1252 ansi;
  lists::ListFile blocked{files, "/p/BCLSIDs.txt"};
};

TEST_F(RestoreTest, BringsBackEveryKeyNameTypeAndByteOfBothViews) {
  RegisterRichObjects();
  const Snapshot before = Objects();
  const std::string text = BackupText(registry, {kA, kB}, ansi).text;
  registry::RegistryKey(registry, RegistryRoot::LocalMachine).DeleteKey("\\Software");
  ASSERT_TRUE(Objects().empty());

  const RestorePlan plan = Plan(text);
  EXPECT_EQ(plan.clsids, (std::vector<std::string>{ansi.Encode(kA), ansi.Encode(kB)}));
  EXPECT_FALSE(plan.incomplete);
  Restore(plan, registry, blocked);
  EXPECT_EQ(Objects(), before);
}

TEST_F(RestoreTest, TakesTheObjectsOffTheBlockedListInAnyLetterCase) {
  Set(kKey64, u"NoExplorer", MakeStringValue("1"));
  Set(kKey32, u"NoExplorer", MakeStringValue("1"));
  const RestorePlan plan = Plan(BackupText(registry, {kA, kB}, ansi).text);
  const int writes = files.write_count();
  Restore(plan, registry, blocked);
  EXPECT_EQ(files.Get("/p/BCLSIDs.txt"), "other\r\n");
  EXPECT_EQ(files.write_count(), writes + 1) << "saved once, at once";
  EXPECT_FALSE(blocked.Contains(ansi.Encode(kA)));
}

TEST_F(RestoreTest, RefusesWhatThisProgramCouldNotHaveWritten) {
  const std::string run_key =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
      "\"x\"=\"evil.exe\"\r\n";
  EXPECT_EQ(Refusal(run_key),
            "the key [HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run] is "
            "not a browser helper object's");
  const std::string parent_only =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer"
      "\\Browser Helper Objects]\r\n";
  EXPECT_NE(Refusal(parent_only), "");
  const std::string user_key =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer"
      "\\Browser Helper Objects\\{X}]\r\n";
  EXPECT_NE(Refusal(user_key), "");
  EXPECT_EQ(Refusal("REGEDIT4\r\n\r\n"), "it holds no browser helper object");
  EXPECT_EQ(Refusal("Windows Registry Editor Version 5.00\r\n"), "it does not begin with REGEDIT4");
  // A good object followed by a bad one: the whole file is refused.
  Set(kKey64, u"NoExplorer", MakeStringValue("1"));
  EXPECT_NE(Refusal(BackupText(registry, {kA}, ansi).text + run_key.substr(10)), "");
}

// What the restore could not write exactly as the file names it (a name
// the registry refuses, a key before its parent, bytes that are not text of
// the code page) is refused before anything changes, so that a restore
// never stops halfway; the message names the key.
TEST_F(RestoreTest, RefusesWhatTheRestoreCouldNotWriteExactly) {
  const std::string head = "REGEDIT4\r\n\r\n";
  const std::string objects =
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser "
      "Helper Objects\\";
  const std::string object = objects + "{E2E0000A-0000-4000-8000-00000000000A}";
  const std::string key = "[" + object + "]\r\n";
  const std::string nul(1, '\0');
  const std::pair<std::string, std::string> refused[] = {
      {key + "[" + object + "\\a" + nul + "b]\r\n",
       "the key [" + object + "\\a\\0b] has a name with a NUL character in it"},
      {"[" + object + "\\\\a]\r\n", "the key [" + object + "\\\\a] has an empty name in its path"},
      {key + "[" + object + "\\]\r\n", "the key [" + object + "\\] has an empty name in its path"},
      {"[" + objects + "{}]\r\n", "the key [" + objects + "{}] names no object"},
      {key + "[" + object + "\\a\\b]\r\n",
       "the key [" + object + "\\a\\b] does not come after its parent key"},
      {key + "\"a" + nul + "b\"=\"1\"\r\n",
       "the value \"a\\0b\" of the key [" + object + "] has a name with a NUL character in it"},
  };
  for (const auto& [text, reason] : refused) EXPECT_EQ(Refusal(head + text), reason) << text;

  // Long names are refused past the registry's limits, and shown cut short.
  const std::string long_key =
      Refusal(head + key + "[" + object + "\\" + std::string(256, 'n') + "]\r\n");
  EXPECT_EQ(long_key.rfind("the key [" + objects.substr(0, 60), 0), 0u) << long_key;
  EXPECT_TRUE(long_key.ends_with("n] has a name longer than the registry's 255 characters"));
  EXPECT_LT(long_key.size(), 300u);
  const std::string long_value =
      Refusal(head + key + "\"" + std::string(16384, 'v') + "\"=dword:00000001\r\n");
  EXPECT_TRUE(long_value.ends_with("v\" of the key [" + object +
                                   "] has a name longer than the registry's 16,383 characters"));
  EXPECT_LT(long_value.size(), 500u);

  // The object's key is the 7th level below HKEY_LOCAL_MACHINE; keys down
  // to the 512th are written.
  std::string deep = head;
  std::string path = object;
  for (int level = 7; level <= 512; ++level, path += "\\d") deep += "[" + path + "]\r\n";
  EXPECT_TRUE(Refusal(deep + "[" + path + "]\r\n")
                  .ends_with("\\d] lies deeper than the registry's 512 levels"));

  // In a double-byte code page, a pair that it lacks is no text.
  const qb::testing::SampleCodePage932 cp932;
  EXPECT_EQ(
      PlanRestore(head + key + "[" + object + "\\\x85\x40]\r\n", cp932).problem(),
      "the key [" + object + "\\\u30FB] has a name that is not valid text in the ANSI code page");
  EXPECT_EQ(PlanRestore(head + key + "\"a\"=\"\x85\x40\"\r\n", cp932).problem(),
            "the value \"a\" of the key [" + object +
                "] holds text that is not valid in the ANSI code page");

  // What the registry takes, up to its limits, is restored.
  Restore(Plan(head + key + "\"" + std::string(16383, 'v') + "\"=dword:00000001\r\n[" + object +
               "\\" + std::string(255, 'n') + "]\r\n"),
          registry, blocked);
  Restore(Plan(deep), registry, blocked);
  EXPECT_TRUE(
      registry.KeyExists(RegistryRoot::LocalMachine, kKey64 + u"\\" + std::u16string(255, u'n')));
  EXPECT_EQ(registry.ValueNamesOf(RegistryRoot::LocalMachine, platform::Utf16ToUtf8(kKey64)),
            std::vector<std::u16string>{std::u16string(16383, u'v')});
  std::u16string deepest = kKey64;
  for (int level = 8; level <= 512; ++level) deepest += u"\\d";
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, deepest));
}

// The program's own restore reads back exactly what it wrote in a
// double-byte code page, "\" bytes inside characters and all.
TEST_F(RestoreTest, BringsBackDoubleByteNamesAndTextExactly) {
  const qb::testing::SampleCodePage932 cp932;
  // 表, ソ and 能 each end in the byte 0x5C.
  Set(kKey64, u"\u8868", MakeStringValue(u"\u8868\\\u30BD\"\u80FD"));
  Set(kKey64, u"\u30BD\\", MakeStringValue(u"\u80FD", value_type::kExpandString));
  Set(kKey64 + u"\\\u80FD", u"", MakeStringValue(u"\u8868"));
  const Snapshot before = Objects();
  const BackupContent backup = BackupText(registry, {kA}, cp932);
  ASSERT_TRUE(backup.incomplete.empty()) << backup.text;
  registry::RegistryKey(registry, RegistryRoot::LocalMachine).DeleteKey("\\Software");

  const Parsed<RestorePlan> plan = PlanRestore(backup.text, cp932);
  ASSERT_TRUE(plan) << plan.problem();
  Restore(*plan, registry, blocked);
  EXPECT_EQ(Objects(), before);
}

TEST_F(RestoreTest, AnIncompleteBackupSaysSo) {
  Set(kKey64, u"bad\r\nname", MakeStringValue("1"));
  EXPECT_TRUE(Plan(BackupText(registry, {kA}, ansi).text).incomplete);
}

// A user who may not write the machine's keys: nothing changes, the
// blocked list included.
TEST_F(RestoreTest, WithoutTheRightsNothingChanges) {
  Set(kKey64, u"NoExplorer", MakeStringValue("1"));
  const RestorePlan plan = Plan(BackupText(registry, {kA}, ansi).text);
  ASSERT_TRUE(Objects().size() > 0);
  registry::RegistryKey(registry, RegistryRoot::LocalMachine).DeleteKey("\\Software");
  registry.Protect(RegistryRoot::LocalMachine, "Software");
  const std::string list = *files.Get("/p/BCLSIDs.txt");

  EXPECT_EQ(ErrorOf([&] { Restore(plan, registry, blocked); }).rfind("Failed to create key ", 0),
            0u);
  EXPECT_EQ(files.Get("/p/BCLSIDs.txt"), list);
  EXPECT_TRUE(blocked.Contains(ansi.Encode(kA)));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, kKey64));
}

// A write that fails midway stops there: what was written stays, and the
// objects stay off the blocked list, so the guard asks about them instead
// of deleting what came back.
TEST_F(RestoreTest, AFailingWriteStopsTheRestoreWithTheRegistryMessage) {
  Set(kKey64, u"NoExplorer", MakeStringValue("1"));
  Set(kKey64 + u"\\Locked", u"x", MakeStringValue("y"));
  const RestorePlan plan = Plan(BackupText(registry, {kA}, ansi).text);
  registry::RegistryKey(registry, RegistryRoot::LocalMachine).DeleteKey("\\Software");
  registry.Protect(RegistryRoot::LocalMachine, kKey64 + u"\\Locked");

  EXPECT_EQ(ErrorOf([&] { Restore(plan, registry, blocked); }),
            "Failed to create key " + platform::Utf16ToUtf8(kKey64) + "\\Locked");
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, kKey64));
  EXPECT_FALSE(blocked.Contains(ansi.Encode(kA)));
}

TEST(BackupCatalog, ListsTheBackupsNewestFirstWithTheirObjects) {
  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  platform::Windows1252 ansi;
  files.CreateDirectories("/p/backup");
  files.Put("/p/backup/B1.reg", BackupText(registry, {kA}, ansi).text);
  files.SetModified("/p/backup/B1.reg", {2026, 1, 2, 3, 4, 5, 0});
  files.Put("/p/backup/B2.reg", BackupText(registry, {kB, kA}, ansi).text);
  files.SetModified("/p/backup/B2.reg", {2026, 1, 2, 3, 4, 6, 0});
  files.Put("/p/backup/damaged.reg", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Evil]\r\n");
  files.Put("/p/backup/notes.txt", "not a backup");

  const std::vector<BackupEntry> backups = ListBackups(files, "/p/backup", ansi);
  ASSERT_EQ(backups.size(), 3u);
  EXPECT_EQ(backups[0].path, std::filesystem::path("/p/backup/B2.reg"));
  EXPECT_EQ(backups[0].clsids, (std::vector<std::string>{ansi.Encode(kB), ansi.Encode(kA)}));
  EXPECT_EQ(backups[0].problem, "");
  EXPECT_EQ(backups[1].path, std::filesystem::path("/p/backup/B1.reg"));
  EXPECT_EQ(backups[2].path, std::filesystem::path("/p/backup/damaged.reg"));
  EXPECT_NE(backups[2].problem, "");
  EXPECT_TRUE(backups[2].clsids.empty());
  EXPECT_TRUE(ListBackups(files, "/p/none", ansi).empty());
}

}  // namespace
}  // namespace qb::scanner
