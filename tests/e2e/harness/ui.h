#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Finding and driving the windows of another process, the way a person
// would: buttons are clicked, menus are posted by command id (Wine cannot
// read another process's menus), message boxes are read and answered.
namespace qb::e2e {

// Polls every 20 ms; true when `condition` held before the time ran out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

// Waits until the program's thread has handled every message posted to it
// so far. Posted messages are handled in order, so a marker posted to one
// of its list boxes (a horizontal extent, which no list here shows) tells.
bool FlushPostedMessages(HWND list_box);

std::vector<HWND> TopLevelWindows(DWORD process_id, const wchar_t* class_name = nullptr);
HWND FindTopLevel(DWORD process_id, const wchar_t* class_name, const wchar_t* caption);
// Such a window that is visible; nullptr when there is none, or when none
// came within the time.
HWND ShownWindow(DWORD process_id, const wchar_t* class_name, const wchar_t* caption = nullptr);
HWND WaitForShown(DWORD process_id, const wchar_t* class_name, const wchar_t* caption = nullptr,
                  DWORD timeout_ms = 10000);

// The first descendant of `root` with control id `id`; `parent_id` narrows
// the search to the descendants of the control with that id.
HWND Control(HWND root, int id);
// The control with id `id` once it exists: the controls of a page that no
// start shows are made when the page is first shown. nullptr after the time.
HWND WaitForControl(HWND root, int id, DWORD timeout_ms = 10000);
HWND Control(HWND root, int parent_id, int id);

std::wstring TextOf(HWND window);
// How many pixels of the window, as the screen shows it, are clearly green
// (green well above red) and clearly red (red well above green): what a
// person sees of its text's colour. The window must be on top.
struct ColorCount {
  int green = 0;
  int red = 0;
};
ColorCount CountColors(HWND window);
// The window's pixels as the screen shows them, 0x00RRGGBB by rows from the
// top; the window must be on top.
std::vector<std::uint32_t> ScreenPixels(HWND window);
// The window's rectangle on the screen, and the size of its client area.
RECT WindowRect(HWND window);
SIZE ClientSize(HWND window);
bool IsEnabled(HWND window);
// The window's own visibility flag, whatever its parents show.
bool HasVisibleStyle(HWND window);
bool IsChecked(HWND button);

void Click(HWND button);
void PostCommand(HWND window, int command_id);
void PressKey(HWND window, UINT virtual_key);
void TypeCharacter(HWND window, wchar_t character);
// A left click at a point in the window's client area (pixels).
void ClickAt(HWND window, int x, int y);

std::vector<std::wstring> ListItems(HWND list);
int ListCurrentIndex(HWND list);
LRESULT ListItemData(HWND list, int index);
// The client rectangle of an item, to click it.
RECT ListItemRect(HWND list, int index);

struct MessageBoxInfo {
  HWND window = nullptr;
  std::wstring text;
};

// A visible message box (or other dialog) of the process with the given
// caption; never the main window, whose caption the error box shares.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD process_id, const wchar_t* caption,
                                                DWORD timeout_ms = 10000);
// Presses the button with id `button_id` (IDOK, IDYES, IDNO, ...).
void Answer(const MessageBoxInfo& box, int button_id);
// Waits for the message box, presses `button_id` and waits for it to close;
// returns its text, or nullopt when it did not appear.
std::optional<std::wstring> AnswerMessageBox(DWORD process_id, const wchar_t* caption,
                                             int button_id, DWORD timeout_ms = 10000);
// Waits until no window of the process has this caption any more.
bool WaitForClosed(DWORD process_id, const wchar_t* caption, DWORD timeout_ms = 10000);

}  // namespace qb::e2e
