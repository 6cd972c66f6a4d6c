#include "app/options_dialog.h"

#include "settings/settings.h"
#include "toolkit/dialog_options.h"
#include "toolkit/message_box.h"
#include "ui/control_ids.h"

namespace qb::app {
namespace {

constexpr int kBoxWidth = 233;
constexpr int kBoxHeight = 17;

toolkit::DesignRect MainBox(int top) { return {8, top, kBoxWidth, kBoxHeight}; }

}  // namespace

TfrmOptions::TfrmOptions(toolkit::Application& application, HWND owner,
                         settings::Settings& settings, platform::RegistryBackend& registry)
    : Form(application, toolkit::DialogOptions(L"TfrmOptions", ": Options :", {406, 257}, owner)),
      settings_(settings),
      registry_(registry),
      PageControl1(AsParent(), ids::kPageControl1, {16, 8, 377, 193}),
      tsMain(PageControl1.AddPage("Main options", ids::kTabMainOptions)),
      tsPopUp(PageControl1.AddPage("PopUp Blocker options", ids::kTabPopUpOptions)),
      cbMakeBackup(tsMain.AsParent(), ids::kCbMakeBackup, MainBox(8),
                   "Make backups of removed objects"),
      cbStartWW(tsMain.AsParent(), ids::kCbStartWW, MainBox(32), "Start with windows"),
      cbAutoStart(tsMain.AsParent(), ids::kCbAutoStart, MainBox(56), "Start guardian immediately"),
      cbStartMinimized(tsMain.AsParent(), ids::kCbStartMinimized, MainBox(80),
                       "Start minimized to system tray"),
      cbSetHomePage(tsMain.AsParent(), ids::kCbSetHomePage, MainBox(104), "Set this home page"),
      eHomePage(tsMain.AsParent(), ids::kEHomePage, {8, 128, 177, 21}),
      cbEnablePopUpBlocker(tsPopUp.AsParent(), ids::kCbEnablePopUpBlocker, {8, 8, 200, kBoxHeight},
                           "Enable PopUp Blocking"),
      cbCloseNoMaximize(tsPopUp.AsParent(), ids::kCbCloseNoMaximize, {8, 32, 300, kBoxHeight},
                        "Close every window which cannot be maximized"),
      CheckBox3(tsPopUp.AsParent(), ids::kOptionsCheckBox3, {8, 58, 193, kBoxHeight},
                "Block windows with width less than "),
      Edit1(tsPopUp.AsParent(), ids::kOptionsEdit1, {204, 56, 41, 21}),
      Label1(tsPopUp.AsParent(), ids::kOptionsLabel1, {252, 60, 40, 13}, "pixels"),
      CheckBox4(tsPopUp.AsParent(), ids::kOptionsCheckBox4, {8, 84, 193, kBoxHeight},
                "Block windows with heigth less than "),
      Edit2(tsPopUp.AsParent(), ids::kOptionsEdit2, {204, 82, 41, 21}),
      Label2(tsPopUp.AsParent(), ids::kOptionsLabel2, {252, 86, 40, 13}, "pixels"),
      btResetWarnings(AsParent(), ids::kBtResetWarnings, {272, 48, 99, 25}, "Reset all warnings"),
      btOK(AsParent(), ids::kBtOK, {32, 216, 75, 25}, "OK", BS_DEFPUSHBUTTON),
      btCancel(AsParent(), ids::kBtCancel, {168, 216, 75, 25}, "Cancel"),
      btDefaults(AsParent(), ids::kBtDefaults, {304, 216, 75, 25}, "Defaults") {
  // The button lies on the dialog, over the page control, on neither tab.
  ::SetWindowPos(btResetWarnings.hwnd(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (toolkit::Control* hidden : std::initializer_list<toolkit::Control*>{
           &cbCloseNoMaximize, &CheckBox3, &Edit1, &Label1, &CheckBox4, &Edit2, &Label2}) {
    hidden->SetVisible(false);
  }
  for (toolkit::Control* disabled : std::initializer_list<toolkit::Control*>{
           &CheckBox3, &Edit1, &Label1, &CheckBox4, &Edit2, &Label2}) {
    disabled->SetEnabled(false);
  }
  cbSetHomePage.on_click = [this] { SetHomePageBox(!cbSetHomePage.IsChecked()); };
  btOK.on_click = [this] { ButtonClick(kTagOK); };
  btCancel.on_click = [this] { ButtonClick(kTagCancel); };
  btDefaults.on_click = [this] { btDefaultsClick(); };
  btResetWarnings.on_click = [this] { btResetWarningsClick(); };
  SetDefaultButton(ids::kBtOK);
  SetInitialFocus(&PageControl1);
  // The state at creation; every opening fills the controls again.
  ShowChoices(settings::OptionChoices{});
  FormCreate();
}

void TfrmOptions::FormCreate() { PageControl1.SelectPage(0); }

void TfrmOptions::FormShow() {
  pressedTag_ = 0;
  settings::LoadSettings(settings_, registry_);
  ShowChoices(settings::ChoicesFrom(settings_));
}

void TfrmOptions::ShowChoices(const settings::OptionChoices& c) {
  cbMakeBackup.SetChecked(c.MakeBackup);
  cbStartWW.SetChecked(c.StartWW);
  cbAutoStart.SetChecked(c.AutoStart);
  cbStartMinimized.SetChecked(c.StartMinimized);
  SetHomePageBox(c.SetHomePage);
  eHomePage.SetText(c.HomePage);
  cbEnablePopUpBlocker.SetChecked(c.EnablePopUpBlocker);
  cbCloseNoMaximize.SetChecked(c.CloseNoMaximize);
}

settings::OptionChoices TfrmOptions::Choices() const {
  settings::OptionChoices c;
  c.MakeBackup = cbMakeBackup.IsChecked();
  c.StartMinimized = cbStartMinimized.IsChecked();
  c.AutoStart = cbAutoStart.IsChecked();
  c.StartWW = cbStartWW.IsChecked();
  c.SetHomePage = cbSetHomePage.IsChecked();
  c.HomePage = eHomePage.Text();  // as typed, also while the edit is disabled
  c.EnablePopUpBlocker = cbEnablePopUpBlocker.IsChecked();
  c.CloseNoMaximize = cbCloseNoMaximize.IsChecked();
  return c;
}

void TfrmOptions::SetHomePageBox(bool ticked) {
  cbSetHomePage.SetChecked(ticked);
  cbSetHomePageClick();
}

void TfrmOptions::cbSetHomePageClick() { eHomePage.SetEnabled(cbSetHomePage.IsChecked()); }

void TfrmOptions::ButtonClick(int tag) {
  pressedTag_ = tag;
  Close();
}

void TfrmOptions::btDefaultsClick() { ShowChoices(settings::OptionChoices{}); }

void TfrmOptions::btResetWarningsClick() {
  settings::SaveScanAnswer(settings_, registry_, true, settings::kAnswerNo);
  toolkit::ShowMessageBox(hwnd(), "All warnings are reset.",
                          ": Warnings reset :", MB_OK | MB_ICONINFORMATION);
}

void TfrmOptions::OnDialogCommand(int id) {
  if (id == IDCANCEL) ButtonClick(kTagCancel);  // Escape
}

LRESULT TfrmOptions::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NOTIFY:
      if (PageControl1.OnNotify(*reinterpret_cast<const NMHDR*>(lparam))) return 0;
      break;
    case WM_CLOSE:
      // The close box acts as Cancel: the result is the pressed button's tag,
      // or Cancel when none was pressed.
      if (is_modal()) {
        SetModalResult(pressedTag_ ? pressedTag_ : kTagCancel);
        pressedTag_ = 0;
        return 0;
      }
      break;
    default:
      break;
  }
  return Form::OnMessage(message, wparam, lparam);
}

}  // namespace qb::app
