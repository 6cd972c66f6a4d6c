#include "scanner/removal.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
namespace {

using platform::RegistryRoot;
using qb::testing::ErrorOf;

constexpr char16_t kA[] = u"E2E0000A-0000-4000-8000-00000000000A";
constexpr char16_t kB[] = u"E2E0000B-0000-4000-8000-00000000000B";
constexpr char16_t kC[] = u"E2E0000C-0000-4000-8000-00000000000C";

std::string Ansi(std::u16string_view text) { return platform::Windows1252().Encode(text); }

std::u16string WithNul(std::u16string_view before, std::u16string_view after) {
  return std::u16string(before) + u'\0' + std::u16string(after);
}

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override { files.CreateDirectories("/p"); }

  void Register(std::u16string_view clsid) {
    registry.SetValue(RegistryRoot::LocalMachine, RemovedKeyPath(clsid), u"NoExplorer",
                      platform::MakeStringValue("1"));
    registry.SetValue(RegistryRoot::LocalMachine, RemovedKeyPath(clsid) + u"\\Sub", u"x",
                      platform::MakeStringValue("y"));
  }
  bool Registered(std::u16string_view clsid) {
    return registry.KeyExists(RegistryRoot::LocalMachine, RemovedKeyPath(clsid));
  }

  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  platform::FixedClock clock{{2004, 3, 5, 9, 7, 2, 0}};
  lists::ListFile blocked{files, "/p/BCLSIDs.txt"};
  platform::Windows1252 ansi;
  ObjectRemoval removal{registry, files, clock, "/p", blocked, ansi};
};

TEST_F(RemovalTest, BlockingAddsOnceSavesPerNewEntryAndDeletesTheTrees) {
  files.Put("/p/BCLSIDs.txt", Ansi(kB) + "\r\n");
  blocked.Load();
  for (const char16_t* clsid : {kA, kB, kC}) Register(clsid);

  EXPECT_TRUE(removal.BlockObjects({kA, kB, kC, kA}).empty());
  EXPECT_EQ(files.write_count(), 2);  // kB was listed already; kA only once
  EXPECT_EQ(*files.Get("/p/BCLSIDs.txt"),
            Ansi(kB) + "\r\n" + Ansi(kA) + "\r\n" + Ansi(kC) + "\r\n");
  EXPECT_FALSE(Registered(kA));
  EXPECT_FALSE(Registered(kB));
  EXPECT_FALSE(Registered(kC));
}

TEST_F(RemovalTest, AKeyThatIsAlreadyGoneCountsAsRemoved) {
  EXPECT_TRUE(removal.BlockObjects({kA}).empty());
  EXPECT_TRUE(blocked.Contains(Ansi(kA)));
}

// The names of the objects are 8-bit text in the list file, in the ANSI
// code page.
TEST_F(RemovalTest, TheBlockedListGetsTheNameInTheAnsiCodePage) {
  const std::u16string clsid = u"\u00E9\u20AC000000-0000-4000-8000-00000000000A";
  Register(clsid);
  EXPECT_TRUE(removal.BlockObjects({clsid}).empty());
  EXPECT_EQ(*files.Get("/p/BCLSIDs.txt"),
            "\xE9\x80"
            "000000-0000-4000-8000-00000000000A\r\n");
  EXPECT_FALSE(Registered(clsid));
}

// A subkey whose name holds a NUL is a known trick to hide from tools that
// cut names there: cut, it would name its own parent.
TEST_F(RemovalTest, SubkeysWithNulsAndLoneSurrogatesInTheirNamesAreDeletedToo) {
  Register(kA);
  const std::u16string key = RemovedKeyPath(kA);
  registry.CreateKey(RegistryRoot::LocalMachine, key + u"\\" + WithNul(u"", u""));
  registry.CreateKey(RegistryRoot::LocalMachine, key + u"\\" + WithNul(u"Sub", u"x") + u"\\deep");
  registry.SetValue(RegistryRoot::LocalMachine, key + u"\\lone\xD800", WithNul(u"v", u"w"),
                    platform::MakeDwordValue(1));
  EXPECT_TRUE(removal.BlockObjects({kA}).empty());
  EXPECT_FALSE(Registered(kA));
}

TEST_F(RemovalTest, AnObjectWhoseNameHoldsANulIsRemovedByThatName) {
  const std::u16string clsid = WithNul(u"E2E0000A-0000-4000-8000", u"00000000000A");
  Register(clsid);
  Register(u"E2E0000A-0000-4000-8000");
  EXPECT_TRUE(removal.BlockObjects({clsid}).empty());
  EXPECT_FALSE(Registered(clsid));
  EXPECT_TRUE(Registered(u"E2E0000A-0000-4000-8000"));
}

TEST_F(RemovalTest, AKeyWhoseDeletionFailsIsReportedWithTheReason) {
  Register(kA);
  registry.FailDeletes({platform::RegistryStatusKind::Failed, 1018});
  const auto failures = removal.BlockObjects({kA});
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].status.system_code, 1018u);
  EXPECT_TRUE(Registered(kA));
}

TEST_F(RemovalTest, AKeyThatCannotBeDeletedIsReportedAndStays) {
  Register(kA);
  Register(kB);
  registry.Protect(RegistryRoot::LocalMachine, RemovedKeyPath(kA));

  const auto failures = removal.BlockObjects({kA, kB});
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].clsid, kA);
  EXPECT_EQ(failures[0].status.kind, platform::RegistryStatusKind::AccessDenied);
  EXPECT_TRUE(Registered(kA));
  EXPECT_FALSE(Registered(kB));
  EXPECT_TRUE(blocked.Contains(Ansi(kA)));
  RemovalReport report;
  report.failures = failures;
  EXPECT_EQ(RemovalWarningText(report),
            "These objects could not be removed:\r\n"
            "{E2E0000A-0000-4000-8000-00000000000A}: access is denied\r\n"
            "\r\nThey stay on the blocked list; removing them needs administrator rights.");
  EXPECT_EQ(RemovalWarningText({}), "");
}

// A crafted name must not make an object undeletable: the backup leaves
// out what REGEDIT4 cannot hold, says so, and the removal goes on.
TEST_F(RemovalTest, AnIncompleteBackupIsReportedAndTheRemovalGoesOn) {
  Register(kA);
  Register(kB);
  registry.SetValue(RegistryRoot::LocalMachine, RemovedKeyPath(kA),
                    u"x\r\n[HKEY_LOCAL_MACHINE\\Software\\Evil]", platform::MakeStringValue("b"));

  const RemovalReport report = removal.Remove({kA, kB}, true);
  EXPECT_EQ(report.backup, std::filesystem::path("/p/backup/B200435972.reg"));
  EXPECT_EQ(report.incomplete_backups, std::vector<std::u16string>{kA});
  EXPECT_TRUE(report.failures.empty());
  EXPECT_FALSE(report.all_well());
  EXPECT_FALSE(Registered(kA));
  EXPECT_FALSE(Registered(kB));
  EXPECT_EQ(RemovalWarningText(report),
            "The backup B200435972.reg is incomplete: these objects have names or texts that a "
            "REGEDIT4 file cannot hold:\r\n"
            "{E2E0000A-0000-4000-8000-00000000000A}\r\n"
            "\r\nThe lines of the backup that begin with \"; Not backed up:\" name what it lacks.");
}

TEST_F(RemovalTest, WithoutABackupNothingIsWrittenButTheList) {
  Register(kA);
  const RemovalReport report = removal.Remove({kA}, false);
  EXPECT_TRUE(report.all_well());
  EXPECT_TRUE(report.backup.empty());
  EXPECT_FALSE(files.DirectoryExists("/p/backup"));
  EXPECT_FALSE(Registered(kA));
}

TEST_F(RemovalTest, AListThatCannotBeSavedStopsBeforeTheKey) {
  Register(kA);
  Register(kB);
  files.Put("/p/BCLSIDs.txt", "");
  files.FailWritesTo("/p/BCLSIDs.txt");

  EXPECT_EQ(ErrorOf([&] { removal.BlockObjects({kA, kB}); }), "Cannot create file /p/BCLSIDs.txt");
  EXPECT_TRUE(Registered(kA));
  EXPECT_TRUE(Registered(kB));
  EXPECT_TRUE(blocked.Contains(Ansi(kA)));  // memory keeps the change
  EXPECT_FALSE(blocked.Contains(Ansi(kB)));
}

TEST_F(RemovalTest, TheBackupGoesToANewFileInTheBackupFolder) {
  Register(kA);
  const auto path = removal.WriteBackupFile({kA}).path;
  EXPECT_EQ(path, std::filesystem::path("/p/backup/B200435972.reg"));
  EXPECT_TRUE(files.DirectoryExists("/p/backup"));
  const std::string text = *files.Get(path);
  EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\", 0), 0u);
  EXPECT_NE(text.find("\"NoExplorer\"=\"1\""), std::string::npos);
  EXPECT_TRUE(Registered(kA)) << "a backup changes nothing";
}

TEST_F(RemovalTest, ABackupNeverReplacesAnEarlierOne) {
  EXPECT_EQ(removal.WriteBackupFile({kA}).path, std::filesystem::path("/p/backup/B200435972.reg"));
  EXPECT_EQ(removal.WriteBackupFile({kB}).path,
            std::filesystem::path("/p/backup/B200435972-2.reg"));
  // 2004-01-11 01:00:00 and 2004-11-01 01:00:00 have the same digits.
  clock.Set({2004, 1, 11, 1, 0, 0, 0});
  EXPECT_EQ(removal.WriteBackupFile({kA}).path, std::filesystem::path("/p/backup/B2004111100.reg"));
  clock.Set({2004, 11, 1, 1, 0, 0, 0});
  EXPECT_EQ(removal.WriteBackupFile({kB}).path,
            std::filesystem::path("/p/backup/B2004111100-2.reg"));
  EXPECT_NE(files.Get("/p/backup/B200435972.reg")->find(Ansi(kA)), std::string::npos);
  EXPECT_NE(files.Get("/p/backup/B200435972-2.reg")->find(Ansi(kB)), std::string::npos);
}

TEST_F(RemovalTest, ABackupFolderThatCannotBeMadeFailsAsTheFile) {
  files.FailDirectory("/p/backup");
  EXPECT_EQ(ErrorOf([&] { removal.WriteBackupFile({kA}); }),
            "Cannot create file /p/backup/B200435972.reg");
}

// The 32-bit view keeps its objects under Wow6432Node.
std::u16string Key32(std::u16string_view clsid) {
  return u"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\explorer\\"
         u"Browser Helper Objects\\{" +
         std::u16string(clsid) + u"}";
}

TEST_F(RemovalTest, AnObjectInBothViewsIsBackedUpAndRemovedInEach) {
  Register(kA);
  registry.SetValue(RegistryRoot::LocalMachine, Key32(kA), u"Bits",
                    platform::MakeStringValue("32"));
  registry.SetValue(RegistryRoot::LocalMachine, Key32(kB), u"Bits",
                    platform::MakeStringValue("32"));

  const RemovalReport report = removal.Remove({kA, kB}, true);
  EXPECT_TRUE(report.all_well());
  EXPECT_FALSE(Registered(kA));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, Key32(kA)));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, Key32(kB)));

  // Each key under the path where it was, so that a merge puts it back
  // into its own view.
  const std::string text = *files.Get(report.backup);
  const std::string line64 = "[HKEY_LOCAL_MACHINE\\" + Ansi(RemovedKeyPath(kA)) + "]";
  const std::string line32 = "[HKEY_LOCAL_MACHINE\\" + Ansi(Key32(kA)) + "]";
  ASSERT_NE(text.find(line64), std::string::npos) << text;
  ASSERT_NE(text.find(line32), std::string::npos) << text;
  EXPECT_LT(text.find(line64), text.find(line32));
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\" + Ansi(Key32(kB)) + "]\r\n\"Bits\"=\"32\""),
            std::string::npos);
  EXPECT_EQ(text.find("[HKEY_LOCAL_MACHINE\\" + Ansi(RemovedKeyPath(kB)) + "]"), std::string::npos);
}

TEST_F(RemovalTest, AKeyOfThe32BitViewThatStaysIsNamedSo) {
  registry.CreateKey(RegistryRoot::LocalMachine, Key32(kA));
  registry.Protect(RegistryRoot::LocalMachine, Key32(kA));
  RemovalReport report;
  report.failures = removal.BlockObjects({kA});
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].view, platform::RegistryView::k32);
  EXPECT_NE(RemovalWarningText(report).find(
                "{E2E0000A-0000-4000-8000-00000000000A} (32-bit view): access is denied"),
            std::string::npos);
}

}  // namespace
}  // namespace qb::scanner
