#include "app/options_dialog.h"

#include "toolkit/dialog_options.h"

namespace qb::app {

TfrmOptions::TfrmOptions(toolkit::Application& application, HWND owner)
    : Form(application, toolkit::DialogOptions(L"TfrmOptions", ": Options :", {406, 257}, owner)) {}

}  // namespace qb::app
