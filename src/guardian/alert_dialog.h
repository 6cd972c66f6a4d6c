#pragma once

#include "toolkit/form.h"

namespace qb::guardian {

// The alert dialog `frmAlert`, shown by the guard for each new object.
class TfrmAlert : public toolkit::Form {
 public:
  TfrmAlert(toolkit::Application& application, HWND owner);
};

}  // namespace qb::guardian
