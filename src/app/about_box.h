#pragma once

#include "toolkit/form.h"

namespace qb::app {

// The about box `frmAbout`.
class TfrmAbout : public toolkit::Form {
 public:
  TfrmAbout(toolkit::Application& application, HWND owner);
};

}  // namespace qb::app
