#include "platform/memory_file_evidence.h"

namespace qb::platform {

namespace {
constexpr std::uint32_t kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
}  // namespace

std::optional<FileFacts> MemoryFileEvidence::Examine(std::string_view path, std::stop_token stop) {
  if (stop.stop_requested()) return std::nullopt;
  examined_.emplace_back(path);
  const auto it = files_.find(std::string(path));
  if (it == files_.end()) return FileFacts{kFileNotFound};
  return it->second;
}

}  // namespace qb::platform
