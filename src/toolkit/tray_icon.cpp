#include "toolkit/tray_icon.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/application.h"

namespace qb::toolkit {
namespace {

constexpr wchar_t kTrayWindowClass[] = L"QuellbrightTray";
constexpr UINT_PTR kCycleTimer = 1;
constexpr UINT kCycleInterval = 500;  // `CycleInterval`

// Copies `text` into a fixed field, cut to its size less the terminator.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], std::string_view text) {
  const std::wstring wide = win32::Widen(text);
  const std::size_t length = std::min(wide.size(), N - 1);
  std::copy_n(wide.data(), length, field);
  field[length] = L'\0';
}

}  // namespace

TrayIcon::TrayIcon(Application& application, const std::vector<int>& images)
    : taskbar_created_(::RegisterWindowMessageW(L"TaskbarCreated")) {
  RegisterToolkitClass(kTrayWindowClass);
  // A hidden top-level window: message-only windows miss broadcasts.
  HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, kTrayWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, application.instance(), nullptr);
  if (!window) throw Error("Cannot create a window of class QuellbrightTray");
  Attach(window);
  for (int id : images) {
    images_.emplace_back(static_cast<HICON>(::LoadImageW(
        application.instance(), MAKEINTRESOURCEW(id), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
        ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  }
  data_.cbSize = sizeof data_;
  data_.hWnd = window;
  data_.uID = 1;
  data_.uCallbackMessage = kTrayCallbackMessage;
  data_.hIcon = images_.empty() ? nullptr : images_.front().get();
}

TrayIcon::~TrayIcon() {
  if (hwnd()) ::KillTimer(hwnd(), kCycleTimer);
  if (added_) ::Shell_NotifyIconW(NIM_DELETE, &data_);
}

bool TrayIcon::Add() {
  data_.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  added_ = ::Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
  // "TaskbarCreated" also comes while the shell still holds the icon (a
  // shell that merely announces itself again): the add then fails as a
  // duplicate, and a modify tells that the icon is there after all.
  if (!added_) added_ = ::Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
  return added_;
}

void TrayIcon::Modify(UINT flags) {
  data_.uFlags = flags;
  if (added_) ::Shell_NotifyIconW(NIM_MODIFY, &data_);
}

// Each change that reaches the shell is a round trip to another process:
// one that changes nothing is not sent.
void TrayIcon::SetImage(int index) {
  if (images_.empty()) return;
  image_ = std::clamp(index, 0, static_cast<int>(images_.size()) - 1);
  HICON image = images_[static_cast<std::size_t>(image_)].get();
  if (data_.hIcon == image) return;
  data_.hIcon = image;
  Modify(NIF_ICON | NIF_TIP | NIF_MESSAGE);
}

void TrayIcon::SetHint(std::string_view hint) {
  decltype(data_.szTip) tip{};
  CopyCut(tip, hint);
  if (std::equal(std::begin(tip), std::begin(tip) + std::wcslen(tip) + 1, data_.szTip)) return;
  std::copy(std::begin(tip), std::end(tip), data_.szTip);
  Modify(NIF_ICON | NIF_TIP | NIF_MESSAGE);
}

void TrayIcon::ShowBalloon(std::string_view title, std::string_view text, int timeout_seconds) {
  HideBalloon();
  CopyCut(data_.szInfoTitle, title);
  CopyCut(data_.szInfo, text);
  data_.dwInfoFlags = NIIF_INFO;
  data_.uTimeout = static_cast<UINT>(timeout_seconds) * 1000;
  Modify(NIF_INFO);
}

void TrayIcon::HideBalloon() {
  if (data_.szInfo[0] == L'\0' && data_.szInfoTitle[0] == L'\0') return;  // none shown
  data_.szInfo[0] = L'\0';
  data_.szInfoTitle[0] = L'\0';
  Modify(NIF_INFO);
}

void TrayIcon::SetCycling(bool on) {
  cycling_ = on;
  ::KillTimer(hwnd(), kCycleTimer);
  if (!on) return;
  SetImage(0);
  ::SetTimer(hwnd(), kCycleTimer, kCycleInterval, nullptr);
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == taskbar_created_ && taskbar_created_ != 0) {
    Add();
    if (on_readded) on_readded();
    return 0;
  }
  switch (message) {
    case kTrayCallbackMessage:
      if (lparam == WM_LBUTTONUP && on_click) {
        on_click();
      } else if (lparam == WM_RBUTTONDOWN && on_menu) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        on_menu(cursor);
      }
      return 0;
    case WM_TIMER:
      if (wparam == kCycleTimer && !images_.empty()) {
        SetImage((image_ + 1) % static_cast<int>(images_.size()));
        return 0;
      }
      break;
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace qb::toolkit
