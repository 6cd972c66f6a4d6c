#pragma once

#include "toolkit/form.h"

namespace qb::app {

// The options dialog `frmOptions`.
class TfrmOptions : public toolkit::Form {
 public:
  TfrmOptions(toolkit::Application& application, HWND owner);
};

}  // namespace qb::app
