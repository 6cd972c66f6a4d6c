#include "platform/memory_version_info.h"

namespace qb::platform {
namespace {

class MemoryResource final : public VersionResource {
 public:
  explicit MemoryResource(MemoryVersionInfo::File file) : file_(std::move(file)) {}

  std::optional<Translation> FirstTranslation() const override { return file_.translation; }

  std::optional<std::string> Query(std::string_view sub_block) const override {
    const auto it = file_.strings.find(std::string(sub_block));
    if (it == file_.strings.end()) return std::nullopt;
    return it->second.substr(0, it->second.find('\0'));
  }

 private:
  MemoryVersionInfo::File file_;
};

}  // namespace

std::unique_ptr<VersionResource> MemoryVersionInfo::Read(std::string_view path) {
  reads_.emplace_back(path);
  const auto it = files_.find(std::string(path));
  if (it == files_.end()) return nullptr;
  return std::make_unique<MemoryResource>(it->second);
}

}  // namespace qb::platform
