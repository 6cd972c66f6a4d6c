#include "scanner/backup_catalog.h"

#include <algorithm>
#include <tuple>

#include "lists/case_insensitive.h"
#include "scanner/restore.h"

namespace qb::scanner {
namespace {

auto Newness(const BackupEntry& entry) {
  const platform::LocalTime& t = entry.modified;
  return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond,
                         platform::PathText(entry.path.filename()));
}

bool IsRegFile(const std::filesystem::path& path) {
  const std::string extension = platform::PathText(path.extension());
  return lists::EqualsIgnoreCase(extension, ".reg");
}

}  // namespace

std::vector<BackupEntry> ListBackups(platform::Files& files, const std::filesystem::path& folder,
                                     const platform::CodePage& code_page) {
  std::vector<BackupEntry> backups;
  for (const platform::FolderEntry& file : files.ListFolder(folder)) {
    if (!IsRegFile(file.path)) continue;
    BackupEntry& entry = backups.emplace_back(BackupEntry{file.path, file.modified, {}, {}});
    try {
      const std::optional<std::string> text = files.ReadAll(file.path);
      if (!text) {
        entry.problem = "it is gone";
        continue;
      }
      const Parsed<RestorePlan> plan = PlanRestore(*text, code_page);
      if (plan) {
        entry.clsids = plan->clsids;
      } else {
        entry.problem = plan.problem();
      }
    } catch (const std::exception& error) {
      entry.problem = error.what();
    }
  }
  std::sort(backups.begin(), backups.end(),
            [](const BackupEntry& a, const BackupEntry& b) { return Newness(a) > Newness(b); });
  return backups;
}

}  // namespace qb::scanner
