#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/byte_source.h"
#include "platform/win32/unique_handle.h"

namespace qb::win32 {

// Whether a file, not a folder, lies at `path`.
bool IsFile(const std::filesystem::path& path);

// A file that another program may hold open, even for writing or deleting,
// read from its start in pieces: it is opened for reading only, sharing
// reading, writing and deleting, and only when it is a file on a disk.
// Opening or reading throws "Cannot open file %s".
class SharedFileReader final : public platform::ByteSource {
 public:
  explicit SharedFileReader(const std::filesystem::path& path);

  // The size when it was opened.
  std::uint64_t size() const { return size_; }
  std::size_t Read(std::span<std::uint8_t> buffer) override;

 private:
  std::filesystem::path path_;
  UniqueFile file_;
  std::uint64_t size_ = 0;
};

}  // namespace qb::win32
