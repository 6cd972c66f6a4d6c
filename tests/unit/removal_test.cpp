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

constexpr char kA[] = "E2E0000A-0000-4000-8000-00000000000A";
constexpr char kB[] = "E2E0000B-0000-4000-8000-00000000000B";
constexpr char kC[] = "E2E0000C-0000-4000-8000-00000000000C";

std::string Ascii(std::u16string_view text) { return std::string(text.begin(), text.end()); }

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override { files.CreateDirectories("/p"); }

  void Register(const std::string& clsid) {
    registry.SetString(RegistryRoot::LocalMachine, RemovedKeyPath(clsid), "NoExplorer", "1");
    registry.SetString(RegistryRoot::LocalMachine, RemovedKeyPath(clsid) + "\\Sub", "x", "y");
  }
  bool Registered(const std::string& clsid) {
    return registry.KeyExists(RegistryRoot::LocalMachine, RemovedKeyPath(clsid));
  }

  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  platform::FixedClock clock{{2004, 3, 5, 9, 7, 2, 0}};
  lists::ListFile blocked{files, "/p/BCLSIDs.txt"};
  ObjectRemoval removal{registry, files, clock, "/p", blocked, Ascii};
};

TEST_F(RemovalTest, BlockingAddsOnceSavesPerNewEntryAndDeletesTheTrees) {
  files.Put("/p/BCLSIDs.txt", std::string(kB) + "\r\n");
  blocked.Load();
  for (const char* clsid : {kA, kB, kC}) Register(clsid);

  EXPECT_TRUE(removal.BlockObjects({kA, kB, kC, kA}).empty());
  EXPECT_EQ(files.write_count(), 2);  // kB was listed already; kA only once
  EXPECT_EQ(*files.Get("/p/BCLSIDs.txt"), std::string(kB) + "\r\n" + kA + "\r\n" + kC + "\r\n");
  EXPECT_FALSE(Registered(kA));
  EXPECT_FALSE(Registered(kB));
  EXPECT_FALSE(Registered(kC));
}

TEST_F(RemovalTest, AKeyThatIsAlreadyGoneCountsAsRemoved) {
  EXPECT_TRUE(removal.BlockObjects({kA}).empty());
  EXPECT_TRUE(blocked.Contains(kA));
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
  EXPECT_TRUE(blocked.Contains(kA));
  EXPECT_EQ(RemovalFailureText(failures),
            "These objects could not be removed:\r\n"
            "{E2E0000A-0000-4000-8000-00000000000A}: access is denied\r\n"
            "\r\nThey stay on the blocked list; removing them needs administrator rights.");
  EXPECT_EQ(RemovalFailureText({}), "");
}

TEST_F(RemovalTest, AListThatCannotBeSavedStopsBeforeTheKey) {
  Register(kA);
  Register(kB);
  files.Put("/p/BCLSIDs.txt", "");
  files.FailWritesTo("/p/BCLSIDs.txt");

  EXPECT_EQ(ErrorOf([&] { removal.BlockObjects({kA, kB}); }), "Cannot create file /p/BCLSIDs.txt");
  EXPECT_TRUE(Registered(kA));
  EXPECT_TRUE(Registered(kB));
  EXPECT_TRUE(blocked.Contains(kA));  // memory keeps the change
  EXPECT_FALSE(blocked.Contains(kB));
}

TEST_F(RemovalTest, TheBackupGoesToANewFileInTheBackupFolder) {
  Register(kA);
  const auto path = removal.WriteBackupFile({kA});
  EXPECT_EQ(path, std::filesystem::path("/p/backup/B200435972.reg"));
  EXPECT_TRUE(files.DirectoryExists("/p/backup"));
  const std::string text = *files.Get(path);
  EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\", 0), 0u);
  EXPECT_NE(text.find("\"NoExplorer\"=\"1\""), std::string::npos);
  EXPECT_TRUE(Registered(kA)) << "a backup changes nothing";
}

TEST_F(RemovalTest, ABackupNeverReplacesAnEarlierOne) {
  EXPECT_EQ(removal.WriteBackupFile({kA}), std::filesystem::path("/p/backup/B200435972.reg"));
  EXPECT_EQ(removal.WriteBackupFile({kB}), std::filesystem::path("/p/backup/B200435972-2.reg"));
  // 2004-01-11 01:00:00 and 2004-11-01 01:00:00 have the same digits.
  clock.Set({2004, 1, 11, 1, 0, 0, 0});
  EXPECT_EQ(removal.WriteBackupFile({kA}), std::filesystem::path("/p/backup/B2004111100.reg"));
  clock.Set({2004, 11, 1, 1, 0, 0, 0});
  EXPECT_EQ(removal.WriteBackupFile({kB}), std::filesystem::path("/p/backup/B2004111100-2.reg"));
  EXPECT_NE(files.Get("/p/backup/B200435972.reg")->find(kA), std::string::npos);
  EXPECT_NE(files.Get("/p/backup/B200435972-2.reg")->find(kB), std::string::npos);
}

TEST_F(RemovalTest, ABackupFolderThatCannotBeMadeFailsAsTheFile) {
  files.FailDirectory("/p/backup");
  EXPECT_EQ(ErrorOf([&] { removal.WriteBackupFile({kA}); }),
            "Cannot create file /p/backup/B200435972.reg");
}

}  // namespace
}  // namespace qb::scanner
