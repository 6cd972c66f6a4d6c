#pragma once

#include <windows.h>

#include <optional>
#include <stop_token>
#include <string>

namespace qb::win32 {

// What one read of the file takes: the hash of a file of any size costs
// this much memory, and a stop is seen after at most this much reading.
inline constexpr DWORD kHashPiece = 1 << 20;

struct FileHash {
  DWORD error = 0;     // why the file could not be read to its end; 0 when it was
  std::string sha256;  // 64 lower-case hex digits, when read
};

// SHA-256, through CNG, of what `file` holds from its current position to
// its end, read in pieces of kHashPiece. nullopt when `stop` was requested
// before the end.
std::optional<FileHash> Sha256OfFile(HANDLE file, std::stop_token stop = {});

// 32 bytes as 64 lower-case hex digits.
std::string HexDigits(const unsigned char* bytes, std::size_t count);

}  // namespace qb::win32
