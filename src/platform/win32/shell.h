#pragma once

#include <windows.h>

#include <filesystem>
#include <string_view>

namespace qb::win32 {

// Hands a file or address to the shell with the verb "open". The result is
// not examined: a missing file or a missing handler shows nothing.
void OpenWithShell(HWND owner, const std::filesystem::path& file, int show_command);
void OpenWithShell(HWND owner, std::string_view address, int show_command);

}  // namespace qb::win32
