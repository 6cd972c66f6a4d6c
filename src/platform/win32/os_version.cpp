#include "platform/win32/os_version.h"

#include <windows.h>

namespace qb::win32 {

bool IsNtFrom(unsigned major) {
  OSVERSIONINFOW version{sizeof version};
  // Deprecated for telling versions apart; the family and a floor are all
  // that is asked here, and a manifest-less answer is low, never high.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&version)) return true;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= major;
}

}  // namespace qb::win32
