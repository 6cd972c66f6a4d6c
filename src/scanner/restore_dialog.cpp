#include "scanner/restore_dialog.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/utf.h"
#include "scanner/removal.h"
#include "scanner/restore.h"
#include "toolkit/dialog_options.h"
#include "toolkit/message_box.h"
#include "ui/control_ids.h"

namespace qb::scanner {
namespace {

std::string DateAndTime(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

std::string FileName(const BackupEntry& backup) {
  return platform::PathText(backup.path.filename());
}

// The objects as a message names them, one a line.
std::string ObjectLines(const std::vector<std::string>& clsids,
                        const platform::CodePage& code_page) {
  std::string lines;
  for (const std::string& clsid : clsids) {
    lines += DisplayClsid(code_page.Decode(clsid)) + "\r\n";
  }
  return lines;
}

}  // namespace

TfrmRestore::TfrmRestore(toolkit::Application& application, HWND owner,
                         const ScannerServices& services)
    : Form(application,
           toolkit::DialogOptions(L"TfrmRestore", ": Restore from backup :", {700, 300}, owner)),
      lBackups(AsParent(), ids::kRestoreLabel, {8, 8, 684, 16}, {}),
      lbBackups(AsParent(), ids::kRestoreList, {8, 28, 684, 228}, LBS_USETABSTOPS | WS_HSCROLL),
      btRestore(AsParent(), ids::kRestoreButton, {528, 266, 80, 25}, "&Restore", BS_DEFPUSHBUTTON),
      btClose(AsParent(), ids::kRestoreClose, {612, 266, 80, 25}, "Close"),
      services_(services) {
  // Columns: the date and time, the file, the objects.
  lbBackups.SetColumns({128, 256});
  btRestore.on_click = [this] { btRestoreClick(); };
  btClose.on_click = [this] { SetModalResult(IDCANCEL); };
  SetDefaultButton(ids::kRestoreButton);
  SetInitialFocus(&lbBackups);
  FillList();
}

void TfrmRestore::OnDialogCommand(int id) {
  if (id == IDCANCEL) SetModalResult(IDCANCEL);
}

void TfrmRestore::FillList() {
  const std::filesystem::path folder = services_.removal.BackupFolder();
  backups_ = ListBackups(services_.files, folder, services_.code_page);
  std::vector<std::u16string> items;
  for (const BackupEntry& backup : backups_) {
    std::string objects;
    for (const std::string& clsid : backup.clsids) {
      if (!objects.empty()) objects += ", ";
      objects += DisplayClsid(services_.code_page.Decode(clsid));
    }
    if (!backup.problem.empty()) objects = "(cannot be restored: " + backup.problem + ")";
    items.push_back(platform::Utf8ToUtf16(DateAndTime(backup.modified) + "\t" + FileName(backup) +
                                          "\t" + objects));
  }
  lbBackups.Fill(items);
  if (backups_.empty()) {
    lBackups.SetText("There are no backups in " + platform::PathText(folder) + ".");
  } else {
    lBackups.SetText("Backups in " + platform::PathText(folder) + ", newest first:");
    lbBackups.SetCurrentIndex(0);
  }
  ::EnableWindow(btRestore.hwnd(), !backups_.empty());
}

bool TfrmRestore::Confirm(const BackupEntry& backup, bool incomplete) {
  std::string text = "Restore these objects from " + FileName(backup) + "?\r\n\r\n" +
                     ObjectLines(backup.clsids, services_.code_page) +
                     "\r\nThey come off the blocked list, so that Vod Uridazur asks about them "
                     "again instead of deleting them.";
  if (incomplete) {
    text +=
        "\r\n\r\nThe backup is incomplete: its lines that begin with \"; Not backed up:\" "
        "name what it lacks.";
  }
  return toolkit::ShowMessageBox(hwnd(), text, ": Restore backup :", MB_YESNO | MB_ICONQUESTION) ==
         IDYES;
}

void TfrmRestore::btRestoreClick() {
  const int current = lbBackups.CurrentIndex();
  if (current < 0) {
    toolkit::ShowMessageBox(hwnd(), "Please, select a backup to be restored!",
                            ": Nothing is selected! :", MB_OK | MB_ICONWARNING);
    return;
  }
  BackupEntry backup = backups_.at(static_cast<std::size_t>(current));
  // Read again: the file may have changed since the list was made.
  const std::optional<std::string> text = services_.files.ReadAll(backup.path);
  const Parsed<RestorePlan> plan =
      text ? PlanRestore(*text, services_.code_page) : Parsed<RestorePlan>::Wrong("it is gone");
  if (!plan) {
    toolkit::ShowMessageBox(hwnd(),
                            FileName(backup) + " cannot be restored: " + plan.problem() +
                                ".\r\n\r\nNothing was changed.",
                            ": Backup not restored :", MB_OK | MB_ICONWARNING);
    return;
  }
  backup.clsids = plan->clsids;
  if (!Confirm(backup, plan->incomplete)) return;
  restore_tried_ = true;
  Restore(*plan, services_.registry, services_.lists.blocked);
  toolkit::ShowMessageBox(hwnd(),
                          "These objects of " + FileName(backup) +
                              " are registered again:\r\n\r\n" +
                              ObjectLines(backup.clsids, services_.code_page),
                          ": Backup restored :", MB_OK | MB_ICONINFORMATION);
  SetModalResult(IDOK);
}

}  // namespace qb::scanner
