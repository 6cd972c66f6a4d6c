#include "toolkit/message_target.h"

#include <commctrl.h>

#include "toolkit/application.h"

namespace qb::toolkit {
namespace {

constexpr UINT_PTR kSubclassId = 0x5142;  // "QB"
// Finds the target of a window; a property, since the subclass data cannot be
// read back through MinGW's import library.
constexpr wchar_t kTargetProperty[] = L"Quellbright.MessageTarget";

}  // namespace

MessageTarget::~MessageTarget() {
  if (hwnd_) {
    HWND window = hwnd_;
    ::RemoveWindowSubclass(window, Procedure, kSubclassId);
    ::RemovePropW(window, kTargetProperty);
    hwnd_ = nullptr;
    ::DestroyWindow(window);
  }
}

MessageTarget* MessageTarget::FromWindow(HWND window) {
  return window ? static_cast<MessageTarget*>(::GetPropW(window, kTargetProperty)) : nullptr;
}

void MessageTarget::Attach(HWND window) {
  hwnd_ = window;
  ::SetPropW(window, kTargetProperty, this);
  ::SetWindowSubclass(window, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT MessageTarget::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return Default(message, wparam, lparam);
}

LRESULT MessageTarget::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return ::DefSubclassProc(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK MessageTarget::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR self) noexcept {
  auto* target = reinterpret_cast<MessageTarget*>(self);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, Procedure, kSubclassId);
    ::RemovePropW(window, kTargetProperty);
    target->hwnd_ = nullptr;
    return ::DefSubclassProc(window, message, wparam, lparam);
  }
  LRESULT result = 0;
  Guarded([&] { result = target->OnMessage(message, wparam, lparam); });
  return result;
}

void RegisterToolkitClass(const wchar_t* class_name, HICON icon, UINT class_style) {
  HINSTANCE instance = Application::Current().instance();
  WNDCLASSEXW existing{sizeof existing};
  if (::GetClassInfoExW(instance, class_name, &existing)) return;
  WNDCLASSEXW window_class{sizeof window_class};
  window_class.style = class_style;
  window_class.lpfnWndProc = ::DefWindowProcW;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hIconSm = icon;
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = class_name;
  ::RegisterClassExW(&window_class);
}

}  // namespace qb::toolkit
