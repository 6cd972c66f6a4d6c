#pragma once

#include <windows.h>

#include <string_view>

#include "platform/registry_backend.h"
#include "platform/win32/unique_handle.h"

// The native registry calls, which take counted names. The Win32 calls take
// names that end at their first NUL, so a key or value whose name holds a
// NUL can only be reached through these. Results are Win32 error codes.
namespace qb::win32::nt {

LSTATUS OpenSubkey(HKEY parent, std::u16string_view name, REGSAM access, UniqueHkey& key);
LSTATUS DeleteSubkey(HKEY parent, std::u16string_view name);
LSTATUS QueryValue(HKEY key, std::u16string_view name, platform::RegistryValue& value);
LSTATUS SetValue(HKEY key, std::u16string_view name, const platform::RegistryValue& value);
LSTATUS DeleteValue(HKEY key, std::u16string_view name);

}  // namespace qb::win32::nt
