#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace qb::win32 {

// Whether Windows opens `path` as a device: it makes such a name "\\.\NAME"
// ("COM1.reg" in any folder on older systems, "nul", "CON :" ...).
bool IsDeviceName(const std::wstring& path);

// Opens `path` only when it is a file on a disk. It is first opened for no
// access at all, which does no input or output, so that a device or a pipe
// never gets the chance to make the caller wait; then for `access`. An
// empty file handle (last error ERROR_BAD_FILE_TYPE for what is no disk
// file) when it cannot be opened.
UniqueFile OpenFileOnDisk(const std::wstring& path, DWORD access, DWORD share, DWORD flags = 0);

}  // namespace qb::win32
