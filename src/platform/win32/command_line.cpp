#include "platform/win32/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace qb::win32 {

std::vector<std::wstring> Arguments() {
  int count = 0;
  const UniqueLocal<LPWSTR*> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!arguments) return {};
  return std::vector<std::wstring>(arguments.get() + std::min(count, 1), arguments.get() + count);
}

std::string FirstArgument() {
  const std::vector<std::wstring> arguments = Arguments();
  return arguments.empty() ? std::string() : Narrow(arguments.front());
}

}  // namespace qb::win32
