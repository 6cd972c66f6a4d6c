#include "scanner/scanner_page.h"

#include "scanner/clean_scan_question.h"
#include "scanner/confirmation.h"
#include "scanner/page_names.h"
#include "scanner/helper_objects.h"
#include "scanner/removal_paths.h"
#include "scanner/removal_report.h"
#include "toolkit/message_box.h"
#include "ui/look.h"

namespace qb::scanner {

ScannerPage::ScannerPage(toolkit::Panel& page, ui::MainActions& actions,
                         const ScannerServices& services, DetailsView& details, ObjectInfo& info)
    : lbMain(page.AsParent(), ids::kLbMain, {8, 8, 297, 193}, ui::ListFont()),
      gbActions(page.AsParent(), ids::kScannerActionsGroup, {8, 208, 297, 89}, ": Actions :"),
      btScan(page.AsParent(), ids::kBtScan, {16, 228, 75, 57}, {}),
      btCheckAll(page.AsParent(), ids::kBtCheckAll, {99, 228, 97, 25}, {}),
      btUnCheckAll(page.AsParent(), ids::kBtUnCheckAll, {99, 260, 97, 25}, {}),
      btDeleteSelected(page.AsParent(), ids::kBtDeleteSelected, {204, 228, 89, 57}, {},
                       BS_PUSHBUTTON | BS_MULTILINE),
      pmScan({toolkit::MenuItem(actions.aScan), toolkit::MenuItem(actions.aSelectAll),
              toolkit::MenuItem(actions.aDeselectAll), toolkit::MenuItem(actions.aDeleteSelected),
              toolkit::MenuItem(actions.aIgnoreObject), toolkit::MenuItem(actions.aRemoveObject)}),
      actions_(actions),
      services_(services),
      details_(details),
      info_(info) {
  ui::SetUpObjectList(lbMain, pmScan);
  lbMain.on_mouse_up = [this](toolkit::MouseButton button, int x, int y) {
    lbMainMouseUp(button, x, y);
  };
  lbMain.on_key_press = [this](wchar_t character) { return lbMainKeyPress(character); };
  lbMain.on_selection_change = [this] { lbMainSelectionChange(); };
  btScan.BindAction(actions.aScan);
  btCheckAll.BindAction(actions.aSelectAll);
  btUnCheckAll.BindAction(actions.aDeselectAll);
  btDeleteSelected.BindAction(actions.aDeleteSelected);
  actions.aScan.SetHandler([this] { btScanClick(); });
  actions.aSelectAll.SetHandler([this] { btCheckAllClick(); });
  actions.aDeselectAll.SetHandler([this] { btUnCheckAllClick(); });
  actions.aDeleteSelected.SetHandler([this] { btDeleteSelectedClick(); });
  actions.aRemoveObject.SetHandler([this] { btRemoveObjectClick(); });
  actions.aIgnoreObject.SetHandler([this] { btIgnoreObjectClick(); });
}

void ScannerPage::SetObjectActionsEnabled(bool enabled) {
  actions_.aRemoveObject.SetEnabled(enabled);
  actions_.aIgnoreObject.SetEnabled(enabled);
}

void ScannerPage::ClearObject() {
  details_.Clear();
  SetObjectActionsEnabled(false);
  detailed_ = -1;
}

void ScannerPage::btScanClick() {
  ClearObject();
  {
    // Emptied and filled as one batch: the list is drawn once, and its scroll
    // bar does not vanish in between.
    const toolkit::ListBox::Batch batch(lbMain);
    lbMain.Clear();
    found_ = FindSuspiciousObjects(services_.registry, {services_.lists, services_.code_page});
    std::vector<std::u16string> texts;
    texts.reserve(found_.size());
    for (const RegisteredObject& object : found_) texts.push_back(object.clsid);
    lbMain.Fill(texts);
  }
  if (found_.empty()) AskWhereToGo();
}

void ScannerPage::AskWhereToGo() {
  toolkit::ShowMessageBox(owner(),
                          "Congratulations! No suspicious objects\r\nfound on your computer!",
                          ": No suspicious objects found. :", MB_OK | MB_ICONINFORMATION);
  settings::Settings& settings = services_.settings;
  if (settings.SGConfirm) {
    const toolkit::MessageDialogResult answer = AskGoToVodUridazur(lbMain.form());
    settings::SaveScanAnswer(settings, services_.registry, !answer.checked, answer.result);
  }
  if (settings.GotoVodUridazur == settings::kAnswerYes) actions_.aVodUridazur.Execute();
}

void ScannerPage::btDeleteSelectedClick() {
  std::vector<std::u16string> checked;
  for (int i = 0; i < lbMain.Count(); ++i) {
    if (lbMain.Checked(i)) checked.push_back(found_.at(static_cast<std::size_t>(i)).clsid);
  }
  if (checked.empty()) {
    toolkit::ShowMessageBox(owner(), "Please, select at least one\r\nobject to be cleaned!\r\n",
                            ": Nothing is selected! :", MB_OK | MB_ICONWARNING);
    return;
  }
  if (a(owner()) == IDNO) return;
  RemoveObjects(checked, ": Object(s) removed. :", "The object(s) was removed successfuly.");
}

// The two object actions stay reachable from the Actions menu on the other
// pages; run from there, the rescan does nothing (aScan is disabled).
void ScannerPage::btRemoveObjectClick() {
  const int current = lbMain.CurrentIndex();
  if (current < 0) return;
  RemoveObjects({CurrentClsid()}, ": Object removed. :", "The object was removed successfuly.");
}

void ScannerPage::btIgnoreObjectClick() {
  const int current = lbMain.CurrentIndex();
  if (current < 0) return;
  services_.lists.ignored.Add(services_.code_page.Encode(CurrentClsid()));
  actions_.aScan.Execute();
}

const std::u16string& ScannerPage::CurrentClsid() const { return CurrentObject().clsid; }

const RegisteredObject& ScannerPage::CurrentObject() const {
  return found_.at(static_cast<std::size_t>(lbMain.CurrentIndex()));
}

void ScannerPage::RemoveObjects(const std::vector<std::u16string>& clsids, const char* done_caption,
                                const char* done_text) {
  const RemovalReport report = services_.removal.Remove(clsids, services_.settings.MakeBackup);
  ShowRemovalReport(owner(), report, done_caption, done_text);
  actions_.aScan.Execute();
}

void ScannerPage::btCheckAllClick() { lbMain.SetAllChecked(true); }

void ScannerPage::btUnCheckAllClick() { lbMain.SetAllChecked(false); }

void ScannerPage::ShowCurrentObject() {
  SetObjectActionsEnabled(true);
  detailed_ = lbMain.CurrentIndex();
  info_.GetInfo(kScannerPage, lbMain, InBraces(CurrentClsid()), CurrentObject().view());
}

// A click in the check column or an arrow key moves the highlight without
// showing the new item: the details of the old one must not stay, or the
// two object actions would act on an object other than the one described.
// A click's release (which shows the item) and Enter come after this.
void ScannerPage::lbMainSelectionChange() {
  if (lbMain.CurrentIndex() != detailed_) ClearObject();
}

void ScannerPage::lbMainMouseUp(toolkit::MouseButton, int x, int y) {
  if (lbMain.ItemAt(x, y) < 0) {
    ClearObject();
    lbMain.SetCurrentIndex(-1);
    return;
  }
  // A click in the check box column only toggles the check.
  if (!lbMain.InCheckColumn(x) && lbMain.CurrentIndex() >= 0) ShowCurrentObject();
}

bool ScannerPage::lbMainKeyPress(wchar_t character) {
  if (character != L'\r') return false;
  if (lbMain.CurrentIndex() >= 0) ShowCurrentObject();
  return true;
}

}  // namespace qb::scanner
