#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace qb::win32 {

// Whether a file, not a folder, lies at `path`.
bool IsFile(const std::filesystem::path& path);

// The whole content of a file that another program may hold open, even
// for writing or deleting: it is opened for reading only, sharing reading,
// writing and deleting, and released as soon as it is read. Throws
// "Cannot open file %s" when it cannot be opened or read.
std::vector<std::uint8_t> ReadSharedFile(const std::filesystem::path& path);

}  // namespace qb::win32
