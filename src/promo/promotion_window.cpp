#include "promo/promotion_window.h"

#include "toolkit/dialog_options.h"

namespace qb::promo {

TLumbrella::TLumbrella(toolkit::Application& application, HWND owner)
    : Form(application, toolkit::DialogOptions(L"TLumbrella", {}, {694, 295}, owner)) {
  SetCaption(kThankYouCaption);
}

}  // namespace qb::promo
