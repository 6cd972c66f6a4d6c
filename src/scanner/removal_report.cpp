#include "scanner/removal_report.h"

#include "toolkit/message_box.h"

namespace qb::scanner {
namespace {

constexpr char kNotRemovedCaption[] = ": Object(s) not removed! :";
constexpr char kIncompleteCaption[] = ": Backup incomplete! :";

}  // namespace

void ShowRemovalReport(HWND owner, const RemovalReport& report, const char* done_caption,
                       const char* done_text) {
  if (report.all_well()) {
    toolkit::ShowMessageBox(owner, done_text, done_caption, MB_OK | MB_ICONINFORMATION);
  } else if (!report.failures.empty()) {
    toolkit::ShowMessageBox(owner, RemovalWarningText(report), kNotRemovedCaption,
                            MB_OK | MB_ICONWARNING);
  } else {
    toolkit::ShowMessageBox(owner, std::string(done_text) + "\r\n\r\n" + RemovalWarningText(report),
                            done_caption, MB_OK | MB_ICONWARNING);
  }
}

void ShowRemovalWarning(HWND owner, const RemovalReport& report) {
  if (report.all_well()) return;
  toolkit::ShowMessageBox(owner, RemovalWarningText(report),
                          report.failures.empty() ? kIncompleteCaption : kNotRemovedCaption,
                          MB_OK | MB_ICONWARNING);
}

}  // namespace qb::scanner
