#include "promo/banner.h"

#include "product/maker.h"
#include "promo/banner_text.h"
#include "promo/web_link.h"
#include "promo/widgets/images.h"
#include "resource_ids.h"
#include "ui/control_ids.h"

namespace qb::promo {

Banner::Banner(toolkit::Panel& Panel1)
    : Image1(Panel1.AsParent(), ids::kImage1, {0, 7, 702, 80}, kBannerFieldColor),
      RTFLabel1(Panel1.AsParent(), ids::kRtfLabel1, {264, 11, 433, 76}, kBannerRichText,
                kBannerFieldColor) {
  // 798 pixels wide, drawn unscaled: the right 96 are cut off.
  Image1.SetBitmap(DecodeGifResource(IDR_BANNER_GIF));
  Image1.SetHandCursor(true);
  RTFLabel1.SetHandCursor(true);
  RTFLabel1.SetTransparent(true);
  // Made later, the label would lie beneath the picture.
  ::SetWindowPos(RTFLabel1.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Image1.on_click = [this] { Image1Click(); };
  RTFLabel1.on_click = [this] { Image1Click(); };
}

void Banner::Image1Click() { OpenWebLink(Image1.hwnd(), product::kLumbrellaHomePage); }

}  // namespace qb::promo
