#include "platform/win32/shell.h"

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace qb::win32 {

void OpenWithShell(HWND owner, const std::filesystem::path& file, int show_command) {
  ::ShellExecuteW(owner, L"open", file.c_str(), nullptr, nullptr, show_command);
}

void OpenWithShell(HWND owner, std::string_view address, int show_command) {
  ::ShellExecuteW(owner, L"open", Widen(address).c_str(), nullptr, nullptr, show_command);
}

}  // namespace qb::win32
