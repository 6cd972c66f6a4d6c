#include "lists/list_file.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_files.h"

namespace qb::lists {
namespace {

using qb::testing::ErrorOf;

const std::filesystem::path kFolder = "/program";
constexpr char kA[] = "11111111-1111-1111-1111-111111111111";
constexpr char kB[] = "22222222-2222-2222-2222-222222222222";

class ListFileTest : public ::testing::Test {
 protected:
  void SetUp() override { files.CreateDirectories(kFolder); }

  platform::MemoryFiles files;
  ListFile list{files, kFolder / "ICLSIDs.txt"};
};

TEST_F(ListFileTest, AMissingFileGivesAnEmptyListAndNoFile) {
  EXPECT_FALSE(list.Load());
  EXPECT_EQ(list.list().size(), 0u);
  EXPECT_FALSE(files.Get(kFolder / "ICLSIDs.txt"));
}

TEST_F(ListFileTest, ALastLineWithoutABreakIsEndedByTheNextSave) {
  files.Put(kFolder / "ICLSIDs.txt", std::string(kA) + "\r\n" + kA + "\n\n{" + kB + "}");
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(list.list().size(), 4u);
  EXPECT_TRUE(list.Add(kB));
  EXPECT_EQ(*files.Get(kFolder / "ICLSIDs.txt"),
            std::string(kA) + "\r\n" + kA + "\r\n\r\n{" + kB + "}\r\n" + kB + "\r\n");
}

TEST_F(ListFileTest, AddSavesOncePerNewEntry) {
  EXPECT_TRUE(list.Add(kA));
  EXPECT_FALSE(list.Add(std::string(kA)));
  EXPECT_TRUE(list.Add(kB));
  EXPECT_EQ(files.write_count(), 2);
  EXPECT_EQ(*files.Get(kFolder / "ICLSIDs.txt"), std::string(kA) + "\r\n" + kB + "\r\n");
}

TEST_F(ListFileTest, ReplacingWithNothingWritesAnEmptyFile) {
  files.Put(kFolder / "ICLSIDs.txt", std::string(kA) + "\r\n");
  list.Load();
  list.Replace({});
  EXPECT_EQ(*files.Get(kFolder / "ICLSIDs.txt"), "");
}

TEST_F(ListFileTest, AFailedSaveReportsTheFileAndLeavesItIntact) {
  files.Put(kFolder / "ICLSIDs.txt", std::string(kA) + "\r\n");
  list.Load();
  files.FailWritesTo(kFolder / "ICLSIDs.txt");

  EXPECT_EQ(ErrorOf([&] { list.Add(kB); }), "Cannot create file /program/ICLSIDs.txt");
  EXPECT_TRUE(list.Contains(kB));
  EXPECT_EQ(*files.Get(kFolder / "ICLSIDs.txt"), std::string(kA) + "\r\n");
}

TEST_F(ListFileTest, AnUnreadableFileIsAnErrorNotAnEmptyList) {
  files.Put(kFolder / "ICLSIDs.txt", std::string(kA) + "\r\n");
  files.FailReadsOf(kFolder / "ICLSIDs.txt");
  EXPECT_EQ(ErrorOf([&] { list.Load(); }), "Cannot open file /program/ICLSIDs.txt");
}

TEST(ClsidLists, AMissingDatabaseStillLoadsTheOtherTwo) {
  platform::MemoryFiles files;
  files.Put(kFolder / "ICLSIDs.txt", std::string(kA) + "\r\n");
  files.Put(kFolder / "BCLSIDs.txt", std::string(kB) + "\r\n");
  ClsidLists lists(files, kFolder);

  EXPECT_FALSE(lists.Load());
  EXPECT_EQ(lists.known.list().size(), 0u);
  EXPECT_TRUE(lists.ignored.Contains(kA));
  EXPECT_TRUE(lists.blocked.Contains(kB));
}

TEST(ClsidLists, FilesLieInTheProgramFolder) {
  platform::MemoryFiles files;
  files.Put(kFolder / "CLSIDs.txt", std::string(kA) + "\r\n");
  ClsidLists lists(files, kFolder);
  EXPECT_TRUE(lists.Load());
  EXPECT_TRUE(lists.known.Contains(kA));
  EXPECT_EQ(lists.blocked.path(), kFolder / "BCLSIDs.txt");
}

}  // namespace
}  // namespace qb::lists
