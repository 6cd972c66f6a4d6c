#include "platform/win32/win32_file_locator.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

bool IsDrivePath(const std::wstring& path) {
  return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

}  // namespace

std::string Win32FileLocator::ExpandEnvironment(std::string_view text) {
  const std::wstring wide = Widen(text);
  // The size includes the terminating zero; the expansion may grow between
  // the two calls when another thread changes the environment.
  std::wstring expanded(std::max<std::size_t>(wide.size() + 1, MAX_PATH), L'\0');
  for (int tries = 0; tries < 3; ++tries) {
    const DWORD needed = ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(),
                                                     static_cast<DWORD>(expanded.size()));
    if (needed == 0) return std::string(text);
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);
      return Narrow(expanded);
    }
    expanded.resize(needed);
  }
  return std::string(text);
}

std::string Win32FileLocator::FullPath(std::string_view name, platform::RegistryView view) {
  std::string path = AbsolutePath(name);
  // A 64-bit program sees the real system folder; the 32-bit browser that
  // loads the object sees SysWOW64 in its place.
  if (view == platform::RegistryView::k32 && sizeof(void*) == 8) {
    wchar_t system[MAX_PATH];
    wchar_t wow64[MAX_PATH];
    const UINT system_length = ::GetSystemDirectoryW(system, MAX_PATH);
    const UINT wow64_length = ::GetSystemWow64DirectoryW(wow64, MAX_PATH);
    if (system_length > 0 && system_length < MAX_PATH && wow64_length > 0 &&
        wow64_length < MAX_PATH) {
      path = platform::RedirectSystemFolder(path, Narrow({system, system_length}),
                                            Narrow({wow64, wow64_length}));
    }
  }
  return path;
}

std::string Win32FileLocator::AbsolutePath(std::string_view name) {
  const std::wstring wide = Widen(name);
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::string(name);
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  full.resize(length);
  if (!IsDrivePath(full)) return Narrow(full);

  DWORD size = 1024;
  std::vector<std::uint8_t> buffer(size);
  DWORD status =
      ::WNetGetUniversalNameW(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
  if (status == ERROR_MORE_DATA) {
    buffer.resize(size);
    status = ::WNetGetUniversalNameW(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
  }
  if (status != NO_ERROR) return Narrow(full);
  return Narrow(reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer.data())->lpUniversalName);
}

}  // namespace qb::win32
