#include "platform/win32/shared_file.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/win32/unique_handle.h"

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

std::vector<std::uint8_t> ReadSharedFile(const std::filesystem::path& path) {
  UniqueFile file(::CreateFileW(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) ThrowCannotOpen(path);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) ThrowCannotOpen(path);
  std::vector<std::uint8_t> content;
  std::size_t filled = 0;
  try {
    // The size may change while the owner writes: read to the end.
    content.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    for (;;) {
      if (filled == content.size()) content.resize(content.size() * 2);
      const DWORD wanted =
          static_cast<DWORD>(std::min<std::size_t>(content.size() - filled, 1 << 20));
      DWORD read = 0;
      if (!::ReadFile(file.get(), content.data() + filled, wanted, &read, nullptr)) {
        ThrowCannotOpen(path);
      }
      if (read == 0) break;
      filled += read;
    }
  } catch (const std::bad_alloc&) {
    throw Error("Not enough memory to read " + platform::PathText(path));
  } catch (const std::length_error&) {
    throw Error("Not enough memory to read " + platform::PathText(path));
  }
  content.resize(filled);
  return content;
}

}  // namespace qb::win32
