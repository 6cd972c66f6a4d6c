#include "fill/bare_fill.h"

#include "fill/stopwatch.h"
#include "harness/registry_fixture.h"

namespace qb::bench {
namespace {

constexpr wchar_t kFrameClass[] = L"QbBenchHiddenFrame";

void RegisterFrameClass() {
  static const bool registered = [] {
    WNDCLASSW frame{};
    frame.lpfnWndProc = ::DefWindowProcW;
    frame.hInstance = ::GetModuleHandleW(nullptr);
    frame.lpszClassName = kFrameClass;
    return ::RegisterClassW(&frame) != 0;
  }();
  (void)registered;
}

void AddAll(HWND list, const std::vector<std::wstring>& items) {
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : items) {
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

HiddenList::HiddenList(DWORD list_style) {
  RegisterFrameClass();
  frame_ = ::CreateWindowExW(0, kFrameClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | list_style,
                            8, 8, 297, 193, frame_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

HiddenList::~HiddenList() { ::DestroyWindow(frame_); }

int HiddenList::Count() const { return static_cast<int>(::SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

DWORD CheckListStyle() { return PlainListStyle() | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS; }

DWORD PlainListStyle() { return WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT; }

double BareFill(HiddenList& list, const std::vector<std::wstring>& items) {
  const Stopwatch watch;
  AddAll(list.list(), items);
  return watch.Milliseconds();
}

double BareScan(HiddenList& list) {
  const Stopwatch watch;
  std::vector<std::wstring> clsids;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, e2e::kBhoKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      clsids.push_back(std::wstring(name, length).substr(1, 36));
    }
    ::RegCloseKey(key);
  }
  AddAll(list.list(), clsids);
  return watch.Milliseconds();
}

}  // namespace qb::bench
