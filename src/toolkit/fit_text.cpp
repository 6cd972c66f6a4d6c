#include "toolkit/fit_text.h"

#include "platform/win32/wide.h"

namespace qb::toolkit {

DesignRect FitText(Form& form, int left, int top, std::string_view text, const FontSpec& font) {
  const std::wstring wide = win32::Widen(text);
  HDC dc = ::GetDC(form.hwnd());
  HGDIOBJ old = ::SelectObject(dc, form.FontFor(font));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(form.hwnd(), dc);
  const auto unscale = [&](LONG pixels) {
    return ::MulDiv(pixels, 96, static_cast<int>(form.dpi())) + 1;
  };
  return {left, top, unscale(size.cx), unscale(size.cy)};
}

}  // namespace qb::toolkit
