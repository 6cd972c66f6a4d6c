#include "harness/compiled_help.h"

#include "harness/program.h"

namespace qb::e2e {

CompiledHelpDirectory::CompiledHelpDirectory(const std::filesystem::path& file)
    : bytes_(ReadFileBytes(file).value_or("")) {
  if (bytes_.size() < 0x60 || bytes_.compare(0, 4, "ITSF") != 0) return;
  const std::uint64_t directory = U64(0x48);
  content_offset_ = U64(0x58);
  if (directory + 0x54 > bytes_.size() || bytes_.compare(directory, 4, "ITSP") != 0) return;
  const std::uint32_t header_length = U32(directory + 0x08);
  const std::uint32_t chunk_size = U32(directory + 0x10);
  const std::uint32_t chunks = U32(directory + 0x2C);
  for (std::uint32_t i = 0; i < chunks; ++i) {
    const std::uint64_t chunk = directory + header_length + std::uint64_t{i} * chunk_size;
    if (chunk + chunk_size > bytes_.size()) return;
    if (bytes_.compare(chunk, 4, "PMGL") == 0) ReadListingChunk(chunk, chunk_size);
  }
  valid_ = true;
}

std::optional<std::string> CompiledHelpDirectory::Stored(const std::string& name) const {
  const auto it = entries_.find(name);
  if (it == entries_.end() || it->second.section != 0) return std::nullopt;
  const std::uint64_t start = content_offset_ + it->second.offset;
  if (start + it->second.length > bytes_.size()) return std::nullopt;
  return bytes_.substr(start, it->second.length);
}

std::uint32_t CompiledHelpDirectory::U32(std::uint64_t at) const {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
  return value;
}

std::uint64_t CompiledHelpDirectory::U64(std::uint64_t at) const {
  return U32(at) | (std::uint64_t{U32(at + 4)} << 32);
}

// A variable-length number: seven bits a byte, most significant first.
std::uint64_t CompiledHelpDirectory::EncodedInteger(std::uint64_t& at, std::uint64_t end) const {
  std::uint64_t value = 0;
  while (at < end) {
    const auto byte = static_cast<unsigned char>(bytes_[at++]);
    value = (value << 7) | (byte & 0x7F);
    if (!(byte & 0x80)) break;
  }
  return value;
}

void CompiledHelpDirectory::ReadListingChunk(std::uint64_t chunk, std::uint32_t chunk_size) {
  const std::uint64_t end = chunk + chunk_size - U32(chunk + 4);
  std::uint64_t at = chunk + 0x14;
  while (at < end) {
    const std::uint64_t name_length = EncodedInteger(at, end);
    if (at + name_length > end) return;
    std::string name = bytes_.substr(at, name_length);
    at += name_length;
    Entry entry;
    entry.section = EncodedInteger(at, end);
    entry.offset = EncodedInteger(at, end);
    entry.length = EncodedInteger(at, end);
    entries_[name] = entry;
  }
}

std::map<int, std::string> SystemEntries(const std::string& system) {
  std::map<int, std::string> found;
  std::size_t at = 4;  // after the version
  while (at + 4 <= system.size()) {
    const int code =
        static_cast<unsigned char>(system[at]) | static_cast<unsigned char>(system[at + 1]) << 8;
    const std::size_t length = static_cast<unsigned char>(system[at + 2]) |
                               static_cast<unsigned char>(system[at + 3]) << 8;
    at += 4;
    if (at + length > system.size()) break;
    std::string text = system.substr(at, length);
    text = text.substr(0, text.find('\0'));
    found[code] = text;
    at += length;
  }
  return found;
}

}  // namespace qb::e2e
