#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_evidence.h"

namespace qb::platform {

// File evidence in memory, for native tests: a path that was not added is
// a missing file.
class MemoryFileEvidence final : public FileEvidence {
 public:
  std::optional<FileFacts> Examine(std::string_view path, std::stop_token stop = {}) override;

  void AddFile(std::string path, FileFacts facts) { files_[std::move(path)] = std::move(facts); }
  // Every path handed to Examine, in order.
  const std::vector<std::string>& examined() const { return examined_; }

 private:
  std::map<std::string, FileFacts> files_;
  std::vector<std::string> examined_;
};

}  // namespace qb::platform
