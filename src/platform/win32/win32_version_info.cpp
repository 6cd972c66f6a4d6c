#include "platform/win32/win32_version_info.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

class Win32VersionResource final : public platform::VersionResource {
 public:
  explicit Win32VersionResource(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

  std::optional<platform::Translation> FirstTranslation() const override {
    void* block = nullptr;
    UINT size = 0;
    if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &block, &size) || size < 4) {
      return std::nullopt;
    }
    const auto* words = static_cast<const WORD*>(block);
    return platform::Translation{words[0], words[1]};
  }

  std::optional<std::string> Query(std::string_view sub_block) const override {
    void* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data_.data(), Widen(sub_block).c_str(), &text, &length) || !text) {
      return std::nullopt;
    }
    // The length counts characters, the terminating zero included; the text
    // ends at its first zero either way.
    std::wstring_view value(static_cast<const wchar_t*>(text), length);
    return Narrow(value.substr(0, value.find(L'\0')));
  }

 private:
  std::vector<std::uint8_t> data_;
};

bool IsFileOnDisk(const std::wstring& path) {
  // Opened for no access at all: nothing is read, and a device answers
  // without doing any input or output.
  UniqueFile file(::CreateFileW(path.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  return file.get() != INVALID_HANDLE_VALUE && ::GetFileType(file.get()) == FILE_TYPE_DISK;
}

bool IsDrivePath(const std::wstring& path) {
  return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

}  // namespace

std::string Win32VersionInfo::ExpandFileName(std::string_view file_name,
                                             platform::RegistryView view) {
  std::string path = FullPath(file_name);
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

std::string Win32VersionInfo::FullPath(std::string_view file_name) {
  const std::wstring name = Widen(file_name);
  const DWORD needed = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::string(file_name);
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
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

std::unique_ptr<platform::VersionResource> Win32VersionInfo::Read(std::string_view path) {
  const std::wstring file = Widen(path);
  // A name that Windows takes for a device (COM1:, nul, ...) is never read.
  if (!IsFileOnDisk(file)) return nullptr;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return nullptr;
  std::vector<std::uint8_t> data(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return nullptr;
  return std::make_unique<Win32VersionResource>(std::move(data));
}

}  // namespace qb::win32
