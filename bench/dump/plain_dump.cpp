#include "dump/plain_dump.h"

#include <windows.h>

#include <vector>

#include "fill/stopwatch.h"

namespace qb::bench {

double PlainDump(const std::filesystem::path& file, std::wstring& text) {
  wchar_t characters[256];
  for (int byte = 0; byte < 256; ++byte) {
    const char narrow = static_cast<char>(byte);
    if (::MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &characters[byte], 1) != 1) {
      characters[byte] = L'?';
    }
  }
  const Stopwatch watch;
  HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(handle, &size);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ::ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(handle);

  text.clear();
  text.reserve(bytes.size() / 26 * 28 + 28);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 26 == 0 && i > 0) text += L"\r\n";
    const unsigned char byte = bytes[i];
    text += byte < 32 ? L'.' : characters[byte];
  }
  if (!bytes.empty()) {
    text.append((26 - bytes.size() % 26) % 26, L' ');
    text += L"\r\n";
  }
  return watch.Milliseconds();
}

}  // namespace qb::bench
