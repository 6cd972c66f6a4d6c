#pragma once

#include "promo/widgets/picture.h"
#include "promo/widgets/rtf_label.h"
#include "toolkit/panel.h"

namespace qb::promo {

// The banner in the main window's `Panel1`: the Lumbrella picture with the
// advertisement's text over it. A click on either opens the product's
// page.
class Banner {
 public:
  explicit Banner(toolkit::Panel& Panel1);

  Picture Image1;
  TRTFLabel RTFLabel1;

 private:
  void Image1Click();
};

// The grey green of the picture's text field, and of the label.
inline constexpr COLORREF kBannerFieldColor = 10268558;  // RGB(0x8E, 0xAF, 0x9C)

}  // namespace qb::promo
