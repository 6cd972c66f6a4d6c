#include "platform/version_info.h"

#include <algorithm>

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

std::string RedirectSystemFolder(std::string_view path, std::string_view system,
                                 std::string_view wow64) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const bool inside = path.size() > system.size() &&
                      (path[system.size()] == '\\' || path[system.size()] == '/') &&
                      std::equal(system.begin(), system.end(), path.begin(),
                                 [&](char a, char b) { return fold(a) == fold(b); });
  if (!inside) return std::string(path);
  return std::string(wow64) + std::string(path.substr(system.size()));
}

std::string MemoryVersionInfo::ExpandFileName(std::string_view file_name, RegistryView view) {
  const auto it = expansions_.find(std::string(file_name));
  const std::string path = it == expansions_.end() ? std::string(file_name) : it->second;
  if (view != RegistryView::k32) return path;
  return RedirectSystemFolder(path, "C:\\Windows\\System32", "C:\\Windows\\SysWOW64");
}

std::unique_ptr<VersionResource> MemoryVersionInfo::Read(std::string_view path) {
  reads_.emplace_back(path);
  const auto it = files_.find(std::string(path));
  if (it == files_.end()) return nullptr;
  return std::make_unique<MemoryResource>(it->second);
}

}  // namespace qb::platform
