#pragma once

#include <vector>

#include "scanner/backup_catalog.h"
#include "scanner/scanner_services.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace qb::scanner {

// "Restore from backup...": the backups of the backup folder, newest first,
// each with its date and time and the objects it holds; the one the user
// picks is restored after a confirmation.
class TfrmRestore : public toolkit::Form {
 public:
  TfrmRestore(toolkit::Application& application, HWND owner, const ScannerServices& services);

  // Whether a restore was tried, so that the objects on the machine changed
  // and the Scanner page should look again.
  bool restore_tried() const { return restore_tried_; }

  toolkit::Label lBackups;
  toolkit::ListBox lbBackups;
  toolkit::Button btRestore;
  toolkit::Button btClose;

 protected:
  void OnDialogCommand(int id) override;

 private:
  void FillList();
  void btRestoreClick();
  // Asks before restoring; false on No.
  bool Confirm(const BackupEntry& backup, bool incomplete);

  ScannerServices services_;
  std::vector<BackupEntry> backups_;
  bool restore_tried_ = false;
};

}  // namespace qb::scanner
