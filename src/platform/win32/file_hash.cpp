#include "platform/win32/file_hash.h"

#include <bcrypt.h>

#include <vector>

#include "platform/win32/unique_handle.h"

namespace qb::win32 {
namespace {

struct AlgorithmTraits {
  using Handle = BCRYPT_ALG_HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::BCryptCloseAlgorithmProvider(handle, 0); }
};

struct HashTraits {
  using Handle = BCRYPT_HASH_HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::BCryptDestroyHash(handle); }
};

constexpr DWORD kSha256Bytes = 32;
// What CNG's failures count as: the hash, not the file, failed.
constexpr DWORD kHashFailed = ERROR_INTERNAL_ERROR;

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

std::string HexDigits(const unsigned char* bytes, std::size_t count) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

std::optional<FileHash> Sha256OfFile(HANDLE file, std::stop_token stop) {
  UniqueHandle<AlgorithmTraits> algorithm;
  UniqueHandle<HashTraits> hash;
  if (!Succeeded(::BCryptOpenAlgorithmProvider(algorithm.put(), BCRYPT_SHA256_ALGORITHM, nullptr,
                                               0)) ||
      !Succeeded(::BCryptCreateHash(algorithm.get(), hash.put(), nullptr, 0, nullptr, 0, 0))) {
    return FileHash{kHashFailed};
  }
  std::vector<UCHAR> piece(kHashPiece);
  for (;;) {
    if (stop.stop_requested()) return std::nullopt;
    DWORD read = 0;
    if (!::ReadFile(file, piece.data(), kHashPiece, &read, nullptr)) {
      return FileHash{::GetLastError()};
    }
    if (read == 0) break;
    if (!Succeeded(::BCryptHashData(hash.get(), piece.data(), read, 0))) {
      return FileHash{kHashFailed};
    }
  }
  UCHAR digest[kSha256Bytes];
  if (!Succeeded(::BCryptFinishHash(hash.get(), digest, kSha256Bytes, 0))) {
    return FileHash{kHashFailed};
  }
  return FileHash{0, HexDigits(digest, kSha256Bytes)};
}

}  // namespace qb::win32
