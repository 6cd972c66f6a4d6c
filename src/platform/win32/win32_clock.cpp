#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace qb::win32 {

platform::LocalTime Win32Clock::Now() {
  SYSTEMTIME time{};
  ::GetLocalTime(&time);
  return {time.wYear,   time.wMonth,  time.wDay,         time.wHour,
          time.wMinute, time.wSecond, time.wMilliseconds};
}

}  // namespace qb::win32
