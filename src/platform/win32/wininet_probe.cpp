#include "platform/win32/wininet_probe.h"

#include <windows.h>

#include <array>

namespace qb::win32 {
namespace {

constexpr std::array<const char*, 5> kEntryPoints{
    "FindFirstUrlCacheGroup", "FindNextUrlCacheGroup", "GetUrlCacheGroupAttributeA",
    "SetUrlCacheGroupAttributeA", "FindFirstUrlCacheEntryExA"};

struct WinInet {
  bool found = false;
  // The group functions the reader would enumerate with.
  std::array<FARPROC, 4> group_functions{};
};

WinInet& Library() {
  static WinInet library;
  return library;
}

}  // namespace

bool LoadWinInet() {
  WinInet& library = Library();
  if (library.found) return true;
  // Never freed: the reader keeps the library for the whole run.
  HMODULE module = ::LoadLibraryW(L"wininet.dll");
  if (!module) return false;
  for (std::size_t i = 0; i < kEntryPoints.size(); ++i) {
    const FARPROC address = ::GetProcAddress(module, kEntryPoints[i]);
    if (!address) return false;
    if (i < library.group_functions.size()) library.group_functions[i] = address;
  }
  library.found = true;
  return true;
}

}  // namespace qb::win32
