#pragma once

#include "promo/widgets/picture.h"
#include "toolkit/form.h"

namespace qb::promo {

inline constexpr char kThankYouCaption[] = "Thank you for using Quellbright from Tarnwick Company";

// The promotion window `Lumbrella`: one large advertisement for the
// Lumbrella cushion. A click on it opens the product's page and leaves the
// window open; Escape closes it.
class TLumbrella : public toolkit::Form {
 public:
  TLumbrella(toolkit::Application& application, HWND owner);

  Picture Image1;

 protected:
  void OnShow() override { CenterOnScreen(); }
  bool PreviewKeyDown(WPARAM virtual_key) override;
  bool PreviewKeyPress(wchar_t character) override;

 private:
  void FormCreate();
  void Image1Click();
  void FormKeyPress(wchar_t key);
};

}  // namespace qb::promo
