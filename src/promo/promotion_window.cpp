#include "promo/promotion_window.h"

#include "product/maker.h"
#include "promo/web_link.h"
#include "promo/widgets/images.h"
#include "resource_ids.h"
#include "toolkit/dialog_options.h"
#include "ui/control_ids.h"

namespace qb::promo {
namespace {

toolkit::FormOptions LumbrellaOptions(HWND owner) {
  toolkit::FormOptions options = toolkit::DialogOptions(L"TLumbrella", {}, {694, 295}, owner);
  options.key_preview = true;
  return options;
}

}  // namespace

TLumbrella::TLumbrella(toolkit::Application& application, HWND owner)
    : Form(application, LumbrellaOptions(owner)),
      Image1(AsParent(), ids::kLumbrellaImage1, {0, 0, 694, 297}, background()) {
  Image1.SetBitmap(LoadBitmapResource(IDB_LUMBRELLA));
  Image1.SetHandCursor(true);
  Image1.on_click = [this] { Image1Click(); };
  FormCreate();
}

void TLumbrella::FormCreate() { SetCaption(kThankYouCaption); }

void TLumbrella::Image1Click() { OpenWebLink(hwnd(), product::kLumbrellaHomePage); }

void TLumbrella::FormKeyPress(wchar_t key) {
  if (key == VK_ESCAPE) Close();
}

// Dialog navigation takes Escape as a key, before it could become a
// character.
bool TLumbrella::PreviewKeyDown(WPARAM virtual_key) {
  if (virtual_key != VK_ESCAPE) return false;
  FormKeyPress(VK_ESCAPE);
  return true;
}

bool TLumbrella::PreviewKeyPress(wchar_t character) {
  FormKeyPress(character);
  return character == VK_ESCAPE;
}

}  // namespace qb::promo
