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

std::wstring ArgumentText() {
  // The program's name ends as CommandLineToArgvW ends it: at the closing
  // quote when it starts with one, else at the first blank.
  std::wstring_view line = ::GetCommandLineW();
  std::size_t end = 0;
  if (line.starts_with(L'"')) {
    end = line.find(L'"', 1);
    end = end == std::wstring_view::npos ? line.size() : end + 1;
  } else {
    end = std::min(line.find_first_of(L" \t"), line.size());
  }
  line.remove_prefix(end);
  const std::size_t start = line.find_first_not_of(L" \t");
  return std::wstring(start == std::wstring_view::npos ? std::wstring_view() : line.substr(start));
}

std::string FirstArgument() {
  const std::vector<std::wstring> arguments = Arguments();
  return arguments.empty() ? std::string() : Narrow(arguments.front());
}

}  // namespace qb::win32
