#include "toolkit/dpi.h"

#include "platform/win32/device_context.h"

namespace qb::toolkit {
namespace {

template <typename Function>
Function User32Function(const char* name) {
  static HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

UINT SystemDpi() {
  const win32::WindowDc screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi_for_window && window) {
    if (const UINT dpi = get_dpi_for_window(window)) return dpi;
  }
  return SystemDpi();
}

int Scale(int design_pixels, UINT dpi) {
  return ::MulDiv(design_pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

SIZE OuterSizeFor(SIZE client, DWORD style, DWORD ex_style, bool has_menu, UINT dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.cx, client.cy};
  if (adjust_for_dpi) {
    adjust_for_dpi(&rect, style, has_menu, ex_style, dpi);
  } else {
    ::AdjustWindowRectEx(&rect, style, has_menu, ex_style);
  }
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace qb::toolkit
