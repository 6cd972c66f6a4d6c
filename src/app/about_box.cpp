#include "app/about_box.h"

#include "toolkit/dialog_options.h"

namespace qb::app {

TfrmAbout::TfrmAbout(toolkit::Application& application, HWND owner)
    : Form(application, toolkit::DialogOptions(L"TfrmAbout", {}, {362, 165}, owner)) {
  SetCaption(": About Quellbright :");
}

}  // namespace qb::app
