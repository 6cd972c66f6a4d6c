#include "promo/demo_window.h"

#include "promo/promotion_window.h"
#include "toolkit/dialog_options.h"

namespace qb::promo {

TDemo::TDemo(toolkit::Application& application, HWND owner)
    : Form(application, toolkit::DialogOptions(L"TDemo", {}, {686, 471}, owner)) {
  SetCaption(kThankYouCaption);
}

}  // namespace qb::promo
