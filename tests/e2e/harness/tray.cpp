#include "harness/tray.h"

#include <vector>

#include "harness/ui.h"
#include "toolkit/tray_icon.h"

namespace qb::e2e {
namespace {

BOOL CALLBACK CollectBalloon(HWND window, LPARAM list) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (std::wstring(name) == L"tooltips_class32" && ::IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

}  // namespace

bool WaitForBalloon(const std::wstring& text, DWORD timeout_ms) {
  return WaitUntil(
      [&] {
        std::vector<HWND> shown;
        ::EnumWindows(CollectBalloon, reinterpret_cast<LPARAM>(&shown));
        for (HWND balloon : shown) {
          // A tooltip answers WM_GETTEXT with the text it shows now.
          if (TextOf(balloon) == text) return true;
        }
        return false;
      },
      timeout_ms);
}

HWND TrayWindowOf(DWORD process_id) { return FindTopLevel(process_id, L"QuellbrightTray", nullptr); }

void ClickTrayIcon(HWND tray_window) {
  ::PostMessageW(tray_window, toolkit::kTrayCallbackMessage, 1, WM_LBUTTONDOWN);
  ::PostMessageW(tray_window, toolkit::kTrayCallbackMessage, 1, WM_LBUTTONUP);
}

void AnnounceTaskbar(HWND tray_window) {
  ::PostMessageW(tray_window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
}

}  // namespace qb::e2e
