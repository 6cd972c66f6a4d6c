#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

// A reader of a compiled help file's directory: the names, places and sizes
// of its internal files, and the uncompressed ones' bytes. Enough to check
// what the file holds without decompressing it.
namespace qb::e2e {

class CompiledHelpDirectory {
 public:
  struct Entry {
    std::uint64_t section = 0;  // 0: stored as is; 1: compressed
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
  };

  explicit CompiledHelpDirectory(const std::filesystem::path& file);

  bool valid() const { return valid_; }
  const std::map<std::string, Entry>& entries() const { return entries_; }

  // The bytes of an internal file stored as is.
  std::optional<std::string> Stored(const std::string& name) const;

 private:
  std::uint32_t U32(std::uint64_t at) const;
  std::uint64_t U64(std::uint64_t at) const;
  std::uint64_t EncodedInteger(std::uint64_t& at, std::uint64_t end) const;
  void ReadListingChunk(std::uint64_t chunk, std::uint32_t chunk_size);

  std::string bytes_;
  std::uint64_t content_offset_ = 0;
  std::map<std::string, Entry> entries_;
  bool valid_ = false;
};

// The text entries of the #SYSTEM file by code: 0 contents file, 1 index,
// 2 default topic, 3 title.
std::map<int, std::string> SystemEntries(const std::string& system);

}  // namespace qb::e2e
