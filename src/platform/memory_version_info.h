#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/version_info.h"

namespace qb::platform {

// Version resources in memory, for native tests.
class MemoryVersionInfo final : public VersionInfoReader {
 public:
  struct File {
    std::optional<Translation> translation;
    std::map<std::string, std::string> strings;  // sub-block path -> text
  };

  std::unique_ptr<VersionResource> Read(std::string_view path) override;

  void AddFile(std::string path, File file) { files_[std::move(path)] = std::move(file); }
  // Every path handed to Read, in order.
  const std::vector<std::string>& reads() const { return reads_; }

 private:
  std::map<std::string, File> files_;
  std::vector<std::string> reads_;
};

}  // namespace qb::platform
