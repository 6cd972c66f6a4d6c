#include "tick_machine.h"

#include <cstdio>
#include <cstdlib>

#include "lists/list_text.h"
#include "scanner/helper_objects.h"

namespace qb::bench {
namespace {

constexpr wchar_t kBhoKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr wchar_t kWindowClass[] = L"QbBenchWindow";
constexpr wchar_t kBrowserClass[] = L"IEFrame";

std::string Clsid(int i) {
  char text[40];
  std::snprintf(text, sizeof text, "BE7C%04X-0000-4000-8000-%012X", i, i);
  return text;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
  if (::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

void RegisterClassOnce(const wchar_t* name) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = ::DefWindowProcW;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = name;
  ::RegisterClassW(&window_class);
}

}  // namespace

TickMachine::TickMachine()
    : removal_(registry_, files_, clock_, "/p", lists_.blocked, code_page_),
      cycle_({registry_, lists_, code_page_, settings_, removal_, window_list_},
             {[]() -> int {
                std::fprintf(stderr, "the machine was meant to hold no new object\n");
                std::abort();
              },
              {},
              {}}) {
  std::vector<std::string> known;
  std::vector<std::string> ignored;
  // Objects the machine had already are known too, so that nothing is new.
  for (const scanner::RegisteredObject& object : scanner::RegisteredObjects(registry_)) {
    known.push_back(code_page_.Encode(object.clsid));
  }
  for (int i = 0; i < 50; ++i) {
    const std::string clsid = Clsid(i);
    (i % 2 ? ignored : known).push_back(clsid);
    const std::wstring key =
        std::wstring(kBhoKey) + L"\\{" + std::wstring(clsid.begin(), clsid.end()) + L"}";
    HKEY created = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &created, nullptr) == ERROR_SUCCESS) {
      ::RegCloseKey(created);
    }
    object_keys_.push_back(key);
  }
  files_.CreateDirectories("/p");
  files_.Put("/p/CLSIDs.txt", lists::FormatListText(known));
  files_.Put("/p/ICLSIDs.txt", lists::FormatListText(ignored));
  lists_.Load();
  settings_.EnablePopUpBlocker = true;
  settings_.SetHomePage = false;

  RegisterClassOnce(kWindowClass);
  RegisterClassOnce(kBrowserClass);
  for (int i = 0; i < 100; ++i) {
    const bool browser = i % 10 == 0;
    const std::wstring title = L"Window " + std::to_wstring(i);
    windows_.push_back(
        ::CreateWindowExW(WS_EX_TOOLWINDOW, browser ? kBrowserClass : kWindowClass, title.c_str(),
                          WS_POPUP | WS_CAPTION | WS_VISIBLE | (browser ? WS_MAXIMIZEBOX : 0), -300,
                          -300, 50, 50, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  }
}

TickMachine::~TickMachine() {
  for (HWND window : windows_) ::DestroyWindow(window);
  for (const std::wstring& key : object_keys_) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
}

void TickMachine::Tick() {
  if (cycle_.Run()) std::abort();
}

void TickMachine::BareCalls() {
  // The tick reads both registry views.
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBhoKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
      continue;
    }
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
    }
    ::RegCloseKey(key);
  }
  std::vector<HWND> visible;
  ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&visible));
  for (HWND window : visible) {
    wchar_t title[255];
    wchar_t class_name[128];
    if (::GetWindowTextW(window, title, 255) == 0) continue;
    ::GetClassNameW(window, class_name, 128);
    if (std::wstring_view(class_name).find(kBrowserClass) != std::wstring_view::npos) {
      WINDOWINFO info{sizeof info};
      ::GetWindowInfo(window, &info);
    }
  }
}

}  // namespace qb::bench
