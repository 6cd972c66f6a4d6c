#include "guardian/alert_dialog.h"

#include "toolkit/dialog_options.h"

namespace qb::guardian {

TfrmAlert::TfrmAlert(toolkit::Application& application, HWND owner)
    : Form(application,
           toolkit::DialogOptions(L"TfrmAlert", ": Alert! :", {370, 430}, owner, false)) {}

}  // namespace qb::guardian
