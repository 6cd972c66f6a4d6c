#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"

namespace qb::scanner {

// A backup file of the backup folder, as the restore window lists it.
struct BackupEntry {
  std::filesystem::path path;
  platform::LocalTime modified;
  // The objects it holds, as the blocked list keeps their CLSIDs.
  std::vector<std::string> clsids;
  // Why it cannot be restored; empty when it can.
  std::string problem;
};

// The ".reg" files of `folder`, newest first (by the time they were
// written, then by name), each read and checked as a restore would.
std::vector<BackupEntry> ListBackups(platform::Files& files, const std::filesystem::path& folder,
                                     const platform::CodePage& code_page);

}  // namespace qb::scanner
