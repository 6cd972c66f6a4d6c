#pragma once

#include "toolkit/form.h"

namespace qb::promo {

inline constexpr char kThankYouCaption[] = "Thank you for using Quellbright from Tarnwick Company";

// The promotion window `Lumbrella`.
class TLumbrella : public toolkit::Form {
 public:
  TLumbrella(toolkit::Application& application, HWND owner);
};

}  // namespace qb::promo
