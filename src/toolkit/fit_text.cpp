#include "toolkit/fit_text.h"

#include "platform/win32/device_context.h"
#include "platform/win32/wide.h"

namespace qb::toolkit {

DesignRect FitText(Form& form, int left, int top, std::string_view text, const FontSpec& font) {
  const std::wstring wide = win32::Widen(text);
  const win32::WindowDc dc(form.hwnd());
  const win32::SelectedObject font_selected(dc.get(), form.FontFor(font));
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  const auto unscale = [&](LONG pixels) {
    return ::MulDiv(pixels, 96, static_cast<int>(form.dpi())) + 1;
  };
  return {left, top, unscale(size.cx), unscale(size.cy)};
}

}  // namespace qb::toolkit
