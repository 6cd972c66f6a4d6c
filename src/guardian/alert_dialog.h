#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_evidence.h"
#include "platform/win32/unique_handle.h"
#include "scanner/evidence.h"
#include "scanner/helper_objects.h"
#include "scanner/object_details.h"
#include "toolkit/background_work.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/panel.h"

namespace qb::guardian {

// The alert dialog `frmAlert`, shown by the guard for each new object. It
// shows the details of `CurrentCLSID`, and under the headline the verdict on
// its file's signature (checked in the background: "Checking..." until
// then), and returns 5 ("Allow and ignore"),
// 7 ("Delete") or 3 ("Stop Guardian"); 2 only when the program closes
// meanwhile, for the dialog refuses every close command of its own.
class TfrmAlert : public toolkit::Form {
 public:
  TfrmAlert(toolkit::Application& application, HWND owner,
            const scanner::RegisteredObject& current_object,
            const scanner::DetailsSources& sources, platform::FileEvidence& evidence);

  toolkit::Panel Panel1;
  toolkit::Label lAlert;
  // Green for a verified signature that backs the claimed publisher, red
  // for anything else.
  toolkit::Label lVerdict;
  toolkit::Panel Results;
  toolkit::GroupBox GroupBox3;
  toolkit::Edit Edit1;  // file name
  toolkit::Edit Edit6;  // BHO name
  toolkit::Edit Edit2;  // description
  toolkit::Edit Edit3;  // file version
  toolkit::Edit Edit4;  // product name
  toolkit::Edit Edit5;  // publisher
  toolkit::Panel Panel2;
  // Made in their tab order: "Delete" first.
  toolkit::Button BitBtn2;
  toolkit::Button BitBtn1;
  toolkit::Button BitBtn3;

 protected:
  void OnShow() override;
  // Only the three buttons end the dialog.
  bool OnCloseQuery() override { return false; }

 private:
  void FormShow();
  // A picture beside the caption: one of the program's icons, or a system one.
  void SetPicture(toolkit::Button& button, int own_icon, int system_icon);
  void ShowVerdict(const std::string& text, COLORREF color);
  void Answer(int result);

  const scanner::RegisteredObject& current_object_;
  scanner::DetailsSources sources_;
  platform::FileEvidence& evidence_;
  std::array<std::unique_ptr<toolkit::Label>, 6> labels_;
  std::vector<win32::UniqueIcon> pictures_;
  toolkit::BackgroundWork checks_;
};

}  // namespace qb::guardian
