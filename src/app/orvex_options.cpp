#include "app/options_dialog.h"
#include "app/orvex.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide.h"
#include "settings/startup_entry.h"

namespace qb::app {

// Applies the options dialog when it was confirmed: memory first, then the
// Run entry, then the stored settings. A failing step stops the later ones.
void TOrvex::Options1Click() {
  frmOptions->CenterOver(hwnd());
  if (frmOptions->ShowModal() != TfrmOptions::kTagOK) return;
  settings::CopyChoices(frmOptions->Choices(), context_.settings);
  actions_.aEnablePopUpBlocker.SetChecked(context_.settings.EnablePopUpBlocker);
  guardian_.SettingsChanged();
  // Written at every OK, so that the entry follows the program when it moves.
  settings::WriteStartupEntry(context_.registry, context_.settings.StartWW,
                              win32::Narrow(win32::ProgramFile().wstring()));
  settings::SaveSettings(context_.settings, context_.registry);
}

}  // namespace qb::app
