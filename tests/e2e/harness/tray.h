#pragma once

#include <windows.h>

#include <string>

// The notification area as a person sees it: the balloons the shell shows
// for the program's icon, and the program's own window behind the icon.
namespace qb::e2e {

// Whether the shell shows a balloon reading `text` (its body, without the
// title) within `timeout_ms`. The shell draws balloons in windows of its
// own, a while after it was asked to.
bool WaitForBalloon(const std::wstring& text, DWORD timeout_ms);

// The hidden window of the program that receives its tray icon's messages.
HWND TrayWindowOf(DWORD process_id);

// A left click on the program's tray icon, as the shell reports it.
void ClickTrayIcon(HWND tray_window);

// What the shell sends every program when the taskbar was (re)created.
void AnnounceTaskbar(HWND tray_window);

}  // namespace qb::e2e
