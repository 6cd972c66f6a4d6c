#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/files.h"
#include "scanner/backup_catalog.h"

namespace qb::scanner {
namespace {

// A folder whose names are kept exactly as given.
class Folder final : public platform::Files {
 public:
  std::map<std::wstring, std::string> files;

  bool FileExists(const std::filesystem::path& path) override { return files.count(path); }
  bool DirectoryExists(const std::filesystem::path&) override { return true; }
  std::optional<std::string> ReadAll(const std::filesystem::path& path) override {
    const auto it = files.find(path.native());
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  void ReplaceAll(const std::filesystem::path&, std::string_view) override {}
  bool CreateNew(const std::filesystem::path&, std::string_view) override { return false; }
  bool CreateDirectories(const std::filesystem::path&) override { return true; }
  std::vector<platform::FolderEntry> ListFolder(const std::filesystem::path&) override {
    std::vector<platform::FolderEntry> entries;
    for (const auto& [name, text] : files) entries.push_back({name, {}});
    return entries;
  }
};

// NTFS takes a file name with an unpaired surrogate, which no UTF-8 can
// hold; the library's own conversions throw on it. The name shows with a
// replacement character, and the listing goes on.
TEST(PathText, ANameThatIsNoValidUtf16StillListsAsABackup) {
  const std::wstring odd = std::wstring(L"C:\\backup\\B1") + wchar_t(0xD800) + L".reg";
  EXPECT_EQ(platform::PathText(std::filesystem::path(odd).filename()), "B1\xEF\xBF\xBD.reg");

  Folder folder;
  folder.files[odd] =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
      "explorer\\Browser Helper Objects\\{E2E0000A-0000-4000-8000-00000000000A}]\r\n\r\n";
  folder.files[L"C:\\backup\\B2.reg"] = "not a backup";
  const platform::Windows1252 ansi;
  const std::vector<BackupEntry> backups = ListBackups(folder, L"C:\\backup", ansi);
  ASSERT_EQ(backups.size(), 2u);
  const auto listed = std::find_if(backups.begin(), backups.end(), [&](const BackupEntry& entry) {
    return entry.path.native() == odd;
  });
  ASSERT_NE(listed, backups.end());
  EXPECT_EQ(listed->problem, "");
  EXPECT_EQ(listed->clsids, std::vector<std::string>{"E2E0000A-0000-4000-8000-00000000000A"});
}

}  // namespace
}  // namespace qb::scanner
