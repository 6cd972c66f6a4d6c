#include "platform/win32/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace qb::win32 {

std::string FirstArgument() {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments) return {};
  std::string first = count > 1 ? Narrow(arguments[1]) : std::string();
  ::LocalFree(arguments);
  return first;
}

}  // namespace qb::win32
