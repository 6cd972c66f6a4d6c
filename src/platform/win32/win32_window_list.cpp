#include "platform/win32/win32_window_list.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

HWND Handle(platform::WindowId window) { return reinterpret_cast<HWND>(window); }

// A CALLBACK function, not a lambda: 32-bit builds need its stdcall.
BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (::IsWindowVisible(window)) {
    reinterpret_cast<std::vector<platform::WindowId>*>(list)->push_back(
        reinterpret_cast<platform::WindowId>(window));
  }
  return TRUE;
}

}  // namespace

std::vector<platform::WindowId> Win32WindowList::VisibleTopLevelWindows() {
  std::vector<platform::WindowId> visible;
  ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&visible));
  return visible;
}

bool Win32WindowList::IsVisible(platform::WindowId window) {
  return ::IsWindowVisible(Handle(window)) != 0;
}

std::string Win32WindowList::Title(platform::WindowId window) {
  wchar_t text[255];
  const int length = ::GetWindowTextW(Handle(window), text, 255);
  return length > 0 ? Narrow(std::wstring_view(text, static_cast<std::size_t>(length)))
                    : std::string();
}

std::string Win32WindowList::ClassName(platform::WindowId window) {
  wchar_t name[128];
  const int length = ::GetClassNameW(Handle(window), name, 128);
  return length > 0 ? Narrow(std::wstring_view(name, static_cast<std::size_t>(length)))
                    : std::string();
}

bool Win32WindowList::HasMaximizeBox(platform::WindowId window) {
  WINDOWINFO info{sizeof info};
  if (!::GetWindowInfo(Handle(window), &info)) return true;
  return (info.dwStyle & WS_MAXIMIZEBOX) != 0;
}

void Win32WindowList::PostClose(platform::WindowId window) {
  ::PostMessageW(Handle(window), WM_CLOSE, 0, 0);
}

}  // namespace qb::win32
