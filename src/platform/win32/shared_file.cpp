#include "platform/win32/shared_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/win32/disk_file.h"

namespace qb::win32 {
namespace {

[[noreturn]] void ThrowCannotOpen(const std::filesystem::path& path) {
  throw Error("Cannot open file " + platform::PathText(path));
}

}  // namespace

bool IsFile(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

SharedFileReader::SharedFileReader(const std::filesystem::path& path)
    : path_(path),
      file_(OpenFileOnDisk(path.native(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           FILE_FLAG_SEQUENTIAL_SCAN)) {
  LARGE_INTEGER size{};
  if (!file_ || !::GetFileSizeEx(file_.get(), &size)) ThrowCannotOpen(path_);
  size_ = static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t SharedFileReader::Read(std::span<std::uint8_t> buffer) {
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1 << 20));
  DWORD read = 0;
  if (!::ReadFile(file_.get(), buffer.data(), wanted, &read, nullptr)) ThrowCannotOpen(path_);
  return read;
}

}  // namespace qb::win32
