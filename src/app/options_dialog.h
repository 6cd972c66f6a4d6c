#pragma once

#include "platform/registry_backend.h"
#include "settings/option_choices.h"
#include "settings/settings.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/tab_control.h"

namespace qb::app {

// The options dialog `frmOptions`. Each opening reloads the settings into its
// controls; the owner applies the choices when the result is kTagOK.
// "Reset all warnings" stores its reset at once, whatever the result.
class TfrmOptions : public toolkit::Form {
 public:
  static constexpr int kTagOK = 1;
  static constexpr int kTagCancel = 2;

  TfrmOptions(toolkit::Application& application, HWND owner, settings::Settings& settings,
              platform::RegistryBackend& registry);

  // The choices the controls hold now.
  settings::OptionChoices Choices() const;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnShow() override { FormShow(); }
  void OnDialogCommand(int id) override;

 private:
  void FormCreate();
  void FormShow();
  void ButtonClick(int tag);
  void btDefaultsClick();
  void cbSetHomePageClick();
  void btResetWarningsClick();
  // Fills the controls, in the order the settings are listed.
  void ShowChoices(const settings::OptionChoices& choices);
  // Sets the box as a click would, which enables or disables the edit.
  void SetHomePageBox(bool ticked);

  settings::Settings& settings_;
  platform::RegistryBackend& registry_;
  // The tag of the button that closes the dialog; the close box is Cancel.
  int pressedTag_ = 0;

  toolkit::TabControl PageControl1;
  toolkit::Panel& tsMain;
  toolkit::Panel& tsPopUp;
  toolkit::CheckBox cbMakeBackup;
  toolkit::CheckBox cbStartWW;
  toolkit::CheckBox cbAutoStart;
  toolkit::CheckBox cbStartMinimized;
  toolkit::CheckBox cbSetHomePage;
  toolkit::Edit eHomePage;
  toolkit::CheckBox cbEnablePopUpBlocker;
  toolkit::CheckBox cbCloseNoMaximize;
  // The pixel-size rows: never shown, enabled, read or stored.
  toolkit::CheckBox CheckBox3;
  toolkit::Edit Edit1;
  toolkit::Label Label1;
  toolkit::CheckBox CheckBox4;
  toolkit::Edit Edit2;
  toolkit::Label Label2;
  toolkit::Button btResetWarnings;
  toolkit::Button btOK;
  toolkit::Button btCancel;
  toolkit::Button btDefaults;
};

}  // namespace qb::app
