#include "toolkit/message_target.h"

#include "toolkit/application.h"

namespace qb::toolkit {

// The window procedure is replaced and `this` kept in GWLP_USERDATA, rather
// than comctl32's SetWindowSubclass used: under Wine that one looks its data
// up in a window property, a wineserver round trip, twice on every message,
// which made filling or emptying a list of thousands of items take seconds.

MessageTarget::~MessageTarget() {
  if (hwnd_) {
    HWND window = hwnd_;
    Detach();
    ::DestroyWindow(window);
  }
}

MessageTarget* MessageTarget::FromWindow(HWND window) {
  // Only a window whose procedure is ours keeps a target in its user data.
  if (!window ||
      reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)) != &Procedure) {
    return nullptr;
  }
  return reinterpret_cast<MessageTarget*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void MessageTarget::Attach(HWND window) {
  hwnd_ = window;
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  own_procedure_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

void MessageTarget::Detach() {
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == &Procedure) {
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own_procedure_));
  }
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

LRESULT MessageTarget::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return Default(message, wparam, lparam);
}

LRESULT MessageTarget::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return ::CallWindowProcW(own_procedure_, hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK MessageTarget::Procedure(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam) noexcept {
  auto* target = reinterpret_cast<MessageTarget*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!target) return ::DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    const WNDPROC own = target->own_procedure_;
    target->Detach();
    return ::CallWindowProcW(own, window, message, wparam, lparam);
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
