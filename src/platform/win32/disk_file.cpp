#include "platform/win32/disk_file.h"

namespace qb::win32 {
namespace {

constexpr wchar_t kDeviceNamespace[] = L"\\\\.\\";

bool IsDiskFile(HANDLE file) {
  return file != INVALID_HANDLE_VALUE && ::GetFileType(file) == FILE_TYPE_DISK;
}

}  // namespace

bool IsDeviceName(const std::wstring& path) {
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::wstring full(needed, L'\0');
  full.resize(::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr));
  return full.starts_with(kDeviceNamespace) && !path.starts_with(kDeviceNamespace);
}

UniqueFile OpenFileOnDisk(const std::wstring& path, DWORD access, DWORD share, DWORD flags) {
  const DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  UniqueFile probe(::CreateFileW(path.c_str(), 0, share_all, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!probe) return probe;
  if (!IsDiskFile(probe.get())) {
    ::SetLastError(ERROR_BAD_FILE_TYPE);
    return UniqueFile();
  }
  if (access == 0) return probe;
  probe.reset();
  UniqueFile file(::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | flags, nullptr));
  // The name may have been given to something else in between.
  if (file && !IsDiskFile(file.get())) {
    ::SetLastError(ERROR_BAD_FILE_TYPE);
    return UniqueFile();
  }
  return file;
}

}  // namespace qb::win32
