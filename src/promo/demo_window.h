#pragma once

#include "toolkit/form.h"

namespace qb::promo {

// The demo window `Demo`.
class TDemo : public toolkit::Form {
 public:
  TDemo(toolkit::Application& application, HWND owner);
};

}  // namespace qb::promo
