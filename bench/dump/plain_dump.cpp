#include "dump/plain_dump.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "fill/stopwatch.h"

namespace qb::bench {

double PlainDump(const std::filesystem::path& file, std::wstring& text) {
  wchar_t characters[256];
  for (int byte = 0; byte < 256; ++byte) {
    const char narrow = static_cast<char>(byte);
    if (byte < 32 || ::MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &characters[byte], 1) != 1) {
      characters[byte] = byte < 32 ? L'.' : L'?';
    }
  }
  const Stopwatch watch;
  HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(handle, &size);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ::ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(handle);

  // Every line 26 characters, the last one padded with spaces, and CR LF.
  const std::size_t lines = (bytes.size() + 25) / 26;
  text.assign(lines * 28, L' ');
  wchar_t* out = text.data();
  for (std::size_t line = 0; line < lines; ++line) {
    const std::size_t first = line * 26;
    const std::size_t end = std::min(bytes.size(), first + 26);
    for (std::size_t i = first; i < end; ++i) out[i - first] = characters[bytes[i]];
    out[26] = L'\r';
    out[27] = L'\n';
    out += 28;
  }
  return watch.Milliseconds();
}

}  // namespace qb::bench
