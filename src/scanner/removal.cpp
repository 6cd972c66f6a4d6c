#include "scanner/removal.h"

#include "platform/error.h"
#include "registry/registry_key.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {

ObjectRemoval::ObjectRemoval(platform::RegistryBackend& registry, platform::Files& files,
                             platform::Clock& clock, std::filesystem::path program_folder,
                             lists::ListFile& blocked, AnsiEncoder to_ansi)
    : registry_(registry),
      files_(files),
      clock_(clock),
      program_folder_(std::move(program_folder)),
      blocked_(blocked),
      to_ansi_(std::move(to_ansi)) {}

std::filesystem::path ObjectRemoval::NewBackupFileName() {
  const std::filesystem::path folder = BackupFolder();
  files_.CreateDirectories(folder);
  const std::string base = BackupBaseName(clock_.Now());
  int attempt = 1;
  while (files_.FileExists(folder / BackupFileName(base, attempt))) ++attempt;
  return folder / BackupFileName(base, attempt);
}

std::filesystem::path ObjectRemoval::WriteBackupFile(const std::vector<std::string>& clsids) {
  const std::string text = BackupText(registry_, clsids, to_ansi_);
  // Another program may take the name between the look and the write.
  constexpr int kTries = 3;
  for (int tries = 1;; ++tries) {
    const std::filesystem::path path = NewBackupFileName();
    if (files_.CreateNew(path, text)) return path;
    if (tries == kTries) platform::ThrowCannotCreate(path);
  }
}

std::vector<RemovalFailure> ObjectRemoval::BlockObjects(const std::vector<std::string>& clsids) {
  std::vector<RemovalFailure> failures;
  registry::RegistryKey key(registry_, platform::RegistryRoot::LocalMachine);
  for (const std::string& clsid : clsids) {
    blocked_.Add(clsid);
    const platform::RegistryStatus status = key.DeleteKey("\\" + RemovedKeyPath(clsid));
    if (!status.ok() && status.kind != platform::RegistryStatusKind::NotFound) {
      failures.push_back({clsid, status});
    }
  }
  return failures;
}

std::string RemovalFailureText(const std::vector<RemovalFailure>& failures) {
  if (failures.empty()) return {};
  std::string text = "These objects could not be removed:\r\n";
  bool denied = false;
  for (const RemovalFailure& failure : failures) {
    text += "{" + failure.clsid + "}: " + platform::DescribeRegistryStatus(failure.status) + "\r\n";
    denied = denied || failure.status.kind == platform::RegistryStatusKind::AccessDenied;
  }
  text += "\r\nThey stay on the blocked list";
  if (denied) text += "; removing them needs administrator rights";
  return text + ".";
}

}  // namespace qb::scanner
