#include "promo/index_files.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_registry.h"

namespace qb::promo {
namespace {

using platform::RegistryRoot;
using qb::testing::ErrorOf;

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(IndexFiles, EachPaneHasItsValueAndPlace) {
  platform::MemoryRegistry registry;
  registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "History", "C:\\H");
  registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "Cache", "C:\\Tmp Files");
  registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "Cookies", "D:\\\u00e9t\u00e9");
  EXPECT_EQ(LocateIndexFile(registry, *IndexFileOf(1)), "C:\\H\\History.IE5\\index.dat");
  EXPECT_EQ(LocateIndexFile(registry, *IndexFileOf(2)), "C:\\Tmp Files\\Content.IE5\\index.dat");
  EXPECT_EQ(LocateIndexFile(registry, *IndexFileOf(3)), "D:\\\u00e9t\u00e9\\index.dat");
  EXPECT_EQ(IndexFileOf(0), nullptr);
  EXPECT_EQ(IndexFileOf(4), nullptr);
}

TEST(IndexFiles, AMissingKeyOrValueOrTheDefaultTextIsNoFolder) {
  platform::MemoryRegistry registry;
  EXPECT_EQ(LocateIndexFile(registry, *IndexFileOf(1)), std::nullopt);
  registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "Cache", "C:\\C");
  EXPECT_EQ(LocateIndexFile(registry, *IndexFileOf(1)), std::nullopt);
  registry.SetString(RegistryRoot::CurrentUser, kShellFolders, "History", "Error");
  EXPECT_EQ(LocateIndexFile(registry, *IndexFileOf(1)), std::nullopt);
  registry.SetDword(RegistryRoot::CurrentUser, kShellFolders, "Cookies", 1);
  EXPECT_EQ(ErrorOf([&] { LocateIndexFile(registry, *IndexFileOf(3)); }),
            "Invalid data type for 'Cookies'");
}

TEST(IndexFiles, TheMessagesNameTheValue) {
  EXPECT_EQ(RegistryErrorMessage("History"),
            "Error occured while trying to access registry information about History!");
  EXPECT_EQ(FileErrorMessage("Cookies"),
            "Error occured while trying to access Cookies index.dat files!");
}

}  // namespace
}  // namespace qb::promo
