#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "lists/list_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry_backend.h"
#include "scanner/backup.h"

namespace qb::scanner {

// An object whose key is still registered after it was blocked, and why.
struct RemovalFailure {
  std::string clsid;
  platform::RegistryStatus status;
};

// Removing objects: the backup before, and blocking, which puts each object
// on the blocked list and deletes its Browser Helper Objects key. Shared by
// the Scanner page and the guard; no window is involved.
class ObjectRemoval {
 public:
  ObjectRemoval(platform::RegistryBackend& registry, platform::Files& files, platform::Clock& clock,
                std::filesystem::path program_folder, lists::ListFile& blocked,
                AnsiEncoder to_ansi);

  // The program folder's "backup" folder.
  std::filesystem::path BackupFolder() const { return program_folder_ / "backup"; }

  // A backup file name that no file has yet, from the local date and time;
  // creates the backup folder, with its parents, when absent. A folder that
  // cannot be made is not reported here: the write that follows fails.
  std::filesystem::path NewBackupFileName();

  // Writes one backup file for all of `clsids`, never over an earlier one;
  // returns its path. "Cannot create file %s" when it cannot.
  std::filesystem::path WriteBackupFile(const std::vector<std::string>& clsids);

  // For each CLSID in order: adds it to the blocked list (saving the list
  // when it was not there), then deletes its key with everything below it.
  // A key that is already gone counts as removed; the keys that stay are
  // returned. A list that cannot be saved stops here with the file error,
  // before that CLSID's key is touched.
  std::vector<RemovalFailure> BlockObjects(const std::vector<std::string>& clsids);

 private:
  platform::RegistryBackend& registry_;
  platform::Files& files_;
  platform::Clock& clock_;
  std::filesystem::path program_folder_;
  lists::ListFile& blocked_;
  AnsiEncoder to_ansi_;
};

// The warning that names the objects still registered and why, for example
// "{...}: access is denied"; empty when there are none.
std::string RemovalFailureText(const std::vector<RemovalFailure>& failures);

}  // namespace qb::scanner
