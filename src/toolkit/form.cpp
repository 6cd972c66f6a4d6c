#include "toolkit/form.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/dpi.h"
#include "toolkit/timer.h"

namespace qb::toolkit {
namespace {

// A CALLBACK function, not a lambda: 32-bit builds need its stdcall.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

Form::Form(Application& application, const FormOptions& options)
    : application_(application),
      font_(options.font),
      background_(options.background),
      background_brush_(::CreateSolidBrush(options.background)),
      client_size_(options.client_size),
      style_(options.style),
      ex_style_(options.ex_style),
      key_preview_(options.key_preview) {
  RegisterToolkitClass(options.class_name.c_str(), options.icon);
  HWND window = ::CreateWindowExW(
      ex_style_, options.class_name.c_str(), win32::Widen(options.caption).c_str(), style_,
      CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, options.owner, nullptr, application_.instance(), nullptr);
  if (!window) throw Error("Cannot create a window of class " + win32::Narrow(options.class_name));
  Attach(window);
  dpi_ = DpiOf(window);
  ApplySize();
  application_.AddForm(*this);
}

Form::~Form() { application_.RemoveForm(*this); }

void Form::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  if (initial_focus_) initial_focus_->SetFocus();
}

void Form::Hide() { ::ShowWindow(hwnd(), SW_HIDE); }

bool Form::IsVisible() const { return ::IsWindowVisible(hwnd()) != 0; }

void Form::Close() { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

void Form::SetCaption(std::string_view caption) {
  ::SetWindowTextW(hwnd(), win32::Widen(caption).c_str());
}

void Form::CenterOnScreen() {
  // The restored position, which a minimised window keeps apart from its
  // icon's.
  WINDOWPLACEMENT placement{sizeof placement};
  ::GetWindowPlacement(hwnd(), &placement);
  RECT& window = placement.rcNormalPosition;
  MONITORINFO monitor{sizeof monitor};
  ::GetMonitorInfoW(::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  window.left = area.left + (area.right - area.left - width) / 2;
  window.top = area.top + (area.bottom - area.top - height) / 2;
  window.right = window.left + width;
  window.bottom = window.top + height;
  if (::IsIconic(hwnd())) {
    ::SetWindowPlacement(hwnd(), &placement);
  } else {
    ::SetWindowPos(hwnd(), nullptr, window.left, window.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form::CenterOver(HWND other) {
  RECT window;
  RECT over;
  ::GetWindowRect(hwnd(), &window);
  ::GetWindowRect(other, &over);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  ::SetWindowPos(hwnd(), nullptr, (over.left + over.right - width) / 2,
                 (over.top + over.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ShowModal() {
  // Every other enabled window of the program is disabled while this one
  // waits, as with a dialog box.
  std::vector<HWND> disabled;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&disabled));
  std::erase_if(disabled, [&](HWND window) {
    return window == hwnd() || !::IsWindowVisible(window) || !::IsWindowEnabled(window);
  });
  for (HWND window : disabled) ::EnableWindow(window, FALSE);

  modal_result_ = 0;
  modal_ = true;
  Show();
  application_.RunModalLoop([this] { return modal_result_ != 0; });
  if (modal_result_ == 0) modal_result_ = IDCANCEL;

  // Enable the others before hiding, so that activation returns to them.
  for (HWND window : disabled) ::EnableWindow(window, TRUE);
  Hide();
  modal_ = false;
  return modal_result_;
}

int Form::Scale(int design_pixels) const { return toolkit::Scale(design_pixels, dpi_); }

void Form::SetDesignOuterHeight(int height) {
  design_outer_height_ = height;
  ApplySize();
}

void Form::SetClientSize(SIZE size) {
  client_size_ = size;
  ApplySize();
}

void Form::ApplySize() {
  const SIZE client{Scale(client_size_.cx), Scale(client_size_.cy)};
  SIZE outer = OuterSizeFor(client, style_, ex_style_, static_cast<bool>(menu_), dpi_);
  if (design_outer_height_ > 0) outer.cy = Scale(design_outer_height_);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  for (Control* control : controls_) control->ApplyLayout();
}

void Form::AddControl(Control& control) { controls_.push_back(&control); }

void Form::RemoveControl(Control& control) { std::erase(controls_, &control); }

void Form::AddTimer(Timer& timer) { timers_[timer.id()] = &timer; }

void Form::RemoveTimer(Timer& timer) { timers_.erase(timer.id()); }

void Form::SetCommand(int id, std::function<void()> handler) { commands_[id] = std::move(handler); }

void Form::SetMenu(win32::UniqueMenu menu) {
  menu_ = std::move(menu);
  ::SetMenu(hwnd(), menu_.get());
  ApplySize();
}

bool Form::PreviewKeyDown(WPARAM) { return false; }

bool Form::PreviewKeyPress(wchar_t) { return false; }

void Form::OnPaintBackground(HDC dc, const RECT& client) {
  ::FillRect(dc, &client, background_brush_.get());
}

std::optional<LRESULT> HandleChildColor(UINT message, WPARAM wparam, LPARAM lparam,
                                        COLORREF background, HBRUSH background_brush) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      break;
    default:
      return std::nullopt;
  }
  auto dc = reinterpret_cast<HDC>(wparam);
  if (auto* control =
          dynamic_cast<Control*>(MessageTarget::FromWindow(reinterpret_cast<HWND>(lparam)))) {
    if (auto brush = control->OnColor(dc)) return brush;
  }
  if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
    ::SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(background_brush);
  }
  return std::nullopt;
}

LRESULT Form::RouteChildMessage(UINT message, WPARAM wparam, LPARAM lparam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (lparam) {
        if (auto* control = dynamic_cast<Control*>(FromWindow(reinterpret_cast<HWND>(lparam)))) {
          control->OnCommand(HIWORD(wparam));
          return 0;
        }
      }
      if (const auto it = commands_.find(id); it != commands_.end()) {
        const auto handler = it->second;  // the table may change while it runs
        handler();
        return 0;
      }
      OnDialogCommand(id);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (auto* control = dynamic_cast<Control*>(FromWindow(item->hwndItem))) {
        if (control->OnDrawItem(*item)) return TRUE;
      }
      break;
    }
    default:
      if (auto result =
              HandleChildColor(message, wparam, lparam, background_, background_brush_.get())) {
        return *result;
      }
      break;
  }
  handled = false;
  return 0;
}

LRESULT Form::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  bool handled = false;
  const LRESULT routed = RouteChildMessage(message, wparam, lparam, handled);
  if (handled) return routed;

  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(hwnd(), &client);
      OnPaintBackground(reinterpret_cast<HDC>(wparam), client);
      return TRUE;
    }
    case WM_SHOWWINDOW:
      if (wparam) OnShow();
      break;
    case WM_SETCURSOR:
      // Children ask their parent first, so this covers the whole form.
      if (application_.busy()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (OnCloseQuery()) {
        if (modal_) {
          modal_result_ = IDCANCEL;
        } else {
          OnClose();
        }
      }
      return 0;
    case WM_TIMER:
      if (const auto it = timers_.find(wparam); it != timers_.end()) {
        it->second->Tick();
        return 0;
      }
      break;
    case DM_GETDEFID:
      if (default_button_) return MAKELRESULT(default_button_, DC_HASDEFID);
      break;
    case WM_INITMENUPOPUP:
      if (menu_updater_) menu_updater_(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      ApplyDpi(HIWORD(wparam));
      ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      ::InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    }
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace qb::toolkit
