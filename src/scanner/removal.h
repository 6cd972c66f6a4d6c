#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "lists/list_file.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/registry_backend.h"
#include "scanner/backup.h"

namespace qb::scanner {

// An object whose key is still registered after it was blocked: in which
// view, and why.
struct RemovalFailure {
  std::u16string clsid;
  platform::RegistryStatus status;
  platform::RegistryView view = platform::RegistryView::k64;
};

// How a removal went, for the user.
struct RemovalReport {
  // The backup written, empty when none was asked for.
  std::filesystem::path backup;
  // Objects of which the backup lacks something REGEDIT4 cannot hold.
  std::vector<std::u16string> incomplete_backups;
  // Objects whose keys are still registered.
  std::vector<RemovalFailure> failures;

  bool all_well() const { return incomplete_backups.empty() && failures.empty(); }
};

// Removing objects: the backup before, and blocking, which puts each object
// on the blocked list and deletes its Browser Helper Objects key. Shared by
// the Scanner page and the guard; no window is involved. CLSIDs are the
// texts the registry's key names give; they go into the list files in the
// ANSI code page.
class ObjectRemoval {
 public:
  ObjectRemoval(platform::RegistryBackend& registry, platform::Files& files, platform::Clock& clock,
                std::filesystem::path program_folder, lists::ListFile& blocked,
                const platform::CodePage& code_page);

  // The program folder's "backup" folder.
  std::filesystem::path BackupFolder() const { return program_folder_ / "backup"; }

  // A backup file name that no file has yet, from the local date and time;
  // creates the backup folder, with its parents, when absent. A folder that
  // cannot be made is not reported here: the write that follows fails.
  std::filesystem::path NewBackupFileName();

  // Writes one backup file for all of `clsids`, never over an earlier one;
  // returns its path and what it lacks. "Cannot create file %s" when it
  // cannot.
  struct WrittenBackup {
    std::filesystem::path path;
    std::vector<std::u16string> incomplete;
  };
  WrittenBackup WriteBackupFile(const std::vector<std::u16string>& clsids);

  // For each CLSID in order: adds it to the blocked list (saving the list
  // when it was not there), then deletes its key with everything below it,
  // in every view that holds one. A key that is already gone counts as
  // removed; the keys that stay are returned. A list that cannot be saved stops here with the file
  // error, before that CLSID's key is touched.
  std::vector<RemovalFailure> BlockObjects(const std::vector<std::u16string>& clsids);

  // What the delete commands do: the backup when `make_backup` says so,
  // then BlockObjects. An incomplete backup does not stop the removal, for a
  // crafted name must not make an object undeletable.
  RemovalReport Remove(const std::vector<std::u16string>& clsids, bool make_backup);

 private:
  platform::RegistryBackend& registry_;
  platform::Files& files_;
  platform::Clock& clock_;
  std::filesystem::path program_folder_;
  lists::ListFile& blocked_;
  const platform::CodePage& code_page_;
};

// The warning for a removal that was not all well: the objects still
// registered and why ("{...}: access is denied"), and the objects whose
// backup is incomplete. Empty when all went well.
std::string RemovalWarningText(const RemovalReport& report);

// A CLSID as a message names it, in braces; what UTF-8 cannot show becomes
// U+FFFD.
std::string DisplayClsid(std::u16string_view clsid);

}  // namespace qb::scanner
