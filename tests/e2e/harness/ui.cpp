#include "harness/ui.h"

#include <cstring>

namespace qb::e2e {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (::GetDlgCtrlID(window) == search->id) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id &&
      (!search->class_name || ClassOf(window) == search->class_name)) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<std::uint32_t> ScreenPixels(HWND window) {
  const RECT rect = WindowRect(window);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ::GdiFlush();
  if (bits) std::memcpy(pixels.data(), bits, pixels.size() * sizeof pixels[0]);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

ColorCount CountColors(HWND window) {
  ColorCount count;
  for (const std::uint32_t pixel : ScreenPixels(window)) {
    const int red = static_cast<int>(pixel >> 16 & 0xFF);
    const int green = static_cast<int>(pixel >> 8 & 0xFF);
    if (green > red + 60) ++count.green;
    if (red > green + 60) ++count.red;
  }
  return count;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(20);
  }
}

bool FlushPostedMessages(HWND list_box) {
  static WPARAM marker = 1000;
  const WPARAM expected = ++marker;
  ::PostMessageW(list_box, LB_SETHORIZONTALEXTENT, expected, 0);
  return WaitUntil([&] {
    return static_cast<WPARAM>(::SendMessageW(list_box, LB_GETHORIZONTALEXTENT, 0, 0)) == expected;
  });
}

std::vector<HWND> TopLevelWindows(DWORD process_id, const wchar_t* class_name) {
  WindowSearch search{process_id, class_name, {}};
  ::EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD process_id, const wchar_t* class_name, const wchar_t* caption) {
  for (HWND window : TopLevelWindows(process_id, class_name)) {
    if (!caption || TextOf(window) == caption) return window;
  }
  return nullptr;
}

HWND ShownWindow(DWORD process_id, const wchar_t* class_name, const wchar_t* caption) {
  HWND window = FindTopLevel(process_id, class_name, caption);
  return window && ::IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForShown(DWORD process_id, const wchar_t* class_name, const wchar_t* caption,
                  DWORD timeout_ms) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = ShownWindow(process_id, class_name, caption)) != nullptr; },
            timeout_ms);
  return window;
}

HWND Control(HWND root, int id) {
  ChildSearch search{id, nullptr};
  ::EnumChildWindows(root, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForControl(HWND root, int id, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = Control(root, id)) != nullptr; }, timeout_ms);
  return found;
}

HWND Control(HWND root, int parent_id, int id) {
  HWND parent = Control(root, parent_id);
  return parent ? Control(parent, id) : nullptr;
}

std::wstring TextOf(HWND window) {
  const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  return SIZE{rect.right, rect.bottom};
}

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != 0; }

bool HasVisibleStyle(HWND window) {
  return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

void PostCommand(HWND window, int command_id) {
  ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(command_id, 0), 0);
}

void PressKey(HWND window, UINT virtual_key) {
  ::PostMessageW(window, WM_KEYDOWN, virtual_key, 1);
  ::PostMessageW(window, WM_KEYUP, virtual_key, 0xC0000001);
}

void TypeCharacter(HWND window, wchar_t character) {
  ::PostMessageW(window, WM_CHAR, character, 1);
}

void ClickAt(HWND window, int x, int y) {
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
    // The program may shorten the list while it is read: callers poll again.
    if (length == LB_ERR) break;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    // SendMessageW: with the A form, Wine returns UTF-16 across processes.
    const LRESULT copied =
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR || copied > length) break;
    text.resize(static_cast<std::size_t>(copied));
    items.push_back(text);
  }
  return items;
}

int ListCurrentIndex(HWND list) {
  const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

LRESULT ListItemData(HWND list, int index) {
  return ::SendMessageW(list, LB_GETITEMDATA, index, 0);
}

RECT ListItemRect(HWND list, int index) {
  RECT rect{};
  ::SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD process_id, const wchar_t* caption,
                                                DWORD timeout_ms) {
  // The error box has the main window's caption; the main window is no box.
  const auto find = [&]() -> HWND {
    for (HWND window : TopLevelWindows(process_id)) {
      if (ClassOf(window) != L"TOrvex" && ::IsWindowVisible(window) && TextOf(window) == caption) {
        return window;
      }
    }
    return nullptr;
  };
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = find()) != nullptr; }, timeout_ms)) return std::nullopt;
  MessageBoxInfo info{box, {}};
  if (HWND text = ::GetDlgItem(box, 0xFFFF)) info.text = TextOf(text);
  return info;
}

void Answer(const MessageBoxInfo& box, int button_id) {
  // What the button tells its dialog when it is clicked. A posted BM_CLICK
  // can be lost while the box is still taking the focus: the button's own
  // press state is cleared when the focus moves, and its release then
  // notifies nobody.
  HWND button = ::GetDlgItem(box.window, button_id);
  ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

std::optional<std::wstring> AnswerMessageBox(DWORD process_id, const wchar_t* caption,
                                             int button_id, DWORD timeout_ms) {
  const auto box = WaitForMessageBox(process_id, caption, timeout_ms);
  if (!box) return std::nullopt;
  Answer(*box, button_id);
  WaitUntil([&] { return !::IsWindow(box->window); }, timeout_ms);
  return box->text;
}

bool WaitForClosed(DWORD process_id, const wchar_t* caption, DWORD timeout_ms) {
  return WaitUntil([&] { return FindTopLevel(process_id, nullptr, caption) == nullptr; },
                   timeout_ms);
}

}  // namespace qb::e2e
