#include "scanner/removal.h"

#include "platform/error.h"
#include "platform/key_tree.h"
#include "platform/utf.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {

ObjectRemoval::ObjectRemoval(platform::RegistryBackend& registry, platform::Files& files,
                             platform::Clock& clock, std::filesystem::path program_folder,
                             lists::ListFile& blocked, const platform::CodePage& code_page)
    : registry_(registry),
      files_(files),
      clock_(clock),
      program_folder_(std::move(program_folder)),
      blocked_(blocked),
      code_page_(code_page) {}

std::filesystem::path ObjectRemoval::NewBackupFileName() {
  const std::filesystem::path folder = BackupFolder();
  files_.CreateDirectories(folder);
  const std::string base = BackupBaseName(clock_.Now());
  int attempt = 1;
  while (files_.FileExists(folder / BackupFileName(base, attempt))) ++attempt;
  return folder / BackupFileName(base, attempt);
}

ObjectRemoval::WrittenBackup ObjectRemoval::WriteBackupFile(
    const std::vector<std::u16string>& clsids) {
  BackupContent content = BackupText(registry_, clsids, code_page_);
  // Another program may take the name between the look and the write.
  constexpr int kTries = 3;
  for (int tries = 1;; ++tries) {
    const std::filesystem::path path = NewBackupFileName();
    if (files_.CreateNew(path, content.text)) return {path, std::move(content.incomplete)};
    if (tries == kTries) platform::ThrowCannotCreate(path);
  }
}

std::vector<RemovalFailure> ObjectRemoval::BlockObjects(const std::vector<std::u16string>& clsids) {
  struct Parent {
    platform::RegistryView view;
    platform::RegistryStatus opened;
    std::unique_ptr<platform::OpenRegistryKey> key;
  };
  std::vector<Parent> parents;
  for (platform::RegistryView view : registry_.Views()) {
    Parent& parent = parents.emplace_back(Parent{view, {}, nullptr});
    parent.key = registry_.Open(platform::RegistryRoot::LocalMachine, view,
                                platform::Utf8ToUtf16(kRemovedKeyParent), platform::KeyAccess::Read,
                                parent.opened);
  }
  std::vector<RemovalFailure> failures;
  for (const std::u16string& clsid : clsids) {
    blocked_.Add(code_page_.Encode(clsid));
    for (const Parent& parent : parents) {
      // Without the Browser Helper Objects key there is no object to delete;
      // a key that is there but cannot be opened may still hold it.
      const platform::RegistryStatus status =
          parent.key ? platform::DeleteKeyTree(*parent.key, InBraces(clsid)) : parent.opened;
      if (!status.ok() && status.kind != platform::RegistryStatusKind::NotFound) {
        failures.push_back({clsid, status, parent.view});
      }
    }
  }
  return failures;
}

RemovalReport ObjectRemoval::Remove(const std::vector<std::u16string>& clsids, bool make_backup) {
  RemovalReport report;
  if (make_backup) {
    WrittenBackup backup = WriteBackupFile(clsids);
    report.backup = std::move(backup.path);
    report.incomplete_backups = std::move(backup.incomplete);
  }
  report.failures = BlockObjects(clsids);
  return report;
}

std::string DisplayClsid(std::u16string_view clsid) {
  return "{" + platform::Utf16ToUtf8(clsid) + "}";
}

std::string RemovalWarningText(const RemovalReport& report) {
  std::string text;
  if (!report.failures.empty()) {
    text += "These objects could not be removed:\r\n";
    bool denied = false;
    for (const RemovalFailure& failure : report.failures) {
      text += DisplayClsid(failure.clsid);
      if (failure.view == platform::RegistryView::k32) text += " (32-bit view)";
      text += ": " + platform::DescribeRegistryStatus(failure.status) + "\r\n";
      denied = denied || failure.status.kind == platform::RegistryStatusKind::AccessDenied;
    }
    text += "\r\nThey stay on the blocked list";
    if (denied) text += "; removing them needs administrator rights";
    text += ".";
  }
  if (!report.incomplete_backups.empty()) {
    if (!text.empty()) text += "\r\n\r\n";
    text += "The backup " + platform::PathText(report.backup.filename()) +
            " is incomplete: these objects have names or texts that a REGEDIT4 file cannot "
            "hold:\r\n";
    for (const std::u16string& clsid : report.incomplete_backups) {
      text += DisplayClsid(clsid) + "\r\n";
    }
    text +=
        "\r\nThe lines of the backup that begin with \"; Not backed up:\" name what it "
        "lacks.";
  }
  return text;
}

}  // namespace qb::scanner
