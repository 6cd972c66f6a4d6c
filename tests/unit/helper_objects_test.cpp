#include "scanner/helper_objects.h"

#include <gtest/gtest.h>

#include "platform/memory_files.h"
#include "platform/memory_registry.h"

namespace qb::scanner {
namespace {

using platform::RegistryRoot;

constexpr char kKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr char kKnown[] = "0055C089-8582-441B-A0BF-17B458C2A3A8";
constexpr char kIgnored[] = "11111111-1111-1111-1111-111111111111";
constexpr char kBlocked[] = "22222222-2222-2222-2222-222222222222";
constexpr char kUnknown[] = "33333333-3333-3333-3333-333333333333";

TEST(ClsidFromKeyName, TakesThe36CharactersAfterTheFirst) {
  EXPECT_EQ(ClsidFromKeyName(std::string("{") + kUnknown + "}"), kUnknown);
  EXPECT_EQ(ClsidFromKeyName(kUnknown), std::string(kUnknown).substr(1));
  EXPECT_EQ(ClsidFromKeyName("{short}"), "short}");
  EXPECT_EQ(ClsidFromKeyName("x"), "");
  EXPECT_EQ(ClsidFromKeyName(""), "");
  EXPECT_EQ(ClsidFromKeyName(std::string("{") + kUnknown + "}-and-more"), kUnknown);
}

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Put("/p/CLSIDs.txt", std::string("x\r\n") + "0055c089-8582-441b-a0bf-17b458c2a3a8\r\n");
    files.Put("/p/ICLSIDs.txt", std::string(kIgnored) + "\r\n");
    files.Put("/p/BCLSIDs.txt", std::string(kBlocked) + "\r\n");
    lists.Load();
  }

  void Register(const std::string& name) {
    registry.CreateKey(RegistryRoot::LocalMachine, std::string(kKey) + "\\" + name);
  }

  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  lists::ClsidLists lists{files, "/p"};
};

TEST_F(ScanTest, ListsWhatNeitherTheDatabaseNorTheIgnoredListHolds) {
  for (const char* clsid : {kKnown, kIgnored, kBlocked, kUnknown}) {
    Register(std::string("{") + clsid + "}");
  }
  Register("odd");
  Register("{44444444-4444-4444-4444-444444444444-extra}");

  // In enumeration order, which sorts "odd" before the braced names.
  EXPECT_EQ(
      FindSuspiciousObjects(registry, lists),
      (std::vector<std::string>{"dd", kBlocked, kUnknown, "44444444-4444-4444-4444-444444444444"}));
}

TEST_F(ScanTest, AMissingKeyGivesNoObjects) {
  EXPECT_TRUE(FindSuspiciousObjects(registry, lists).empty());
}

// A user without administrator rights may read HKLM but not write it: the
// scan must still see the objects.
TEST_F(ScanTest, AKeyTheUserMayOnlyReadIsScannedAllTheSame) {
  Register(std::string("{") + kUnknown + "}");
  registry.Protect(RegistryRoot::LocalMachine, "SOFTWARE");
  EXPECT_EQ(FindSuspiciousObjects(registry, lists), std::vector<std::string>{kUnknown});
}

TEST_F(ScanTest, TheScanChangesNoList) {
  Register(std::string("{") + kUnknown + "}");
  FindSuspiciousObjects(registry, lists);
  EXPECT_EQ(files.write_count(), 0);
}

}  // namespace
}  // namespace qb::scanner
