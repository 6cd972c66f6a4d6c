#pragma once

#include <string_view>

#include "toolkit/control.h"
#include "toolkit/font.h"

namespace qb::toolkit {

// A label's place at (left, top), as wide and high as its one-line text in
// `font`, at 96 dpi: what an auto-sized label takes.
DesignRect FitText(Form& form, int left, int top, std::string_view text, const FontSpec& font);

}  // namespace qb::toolkit
