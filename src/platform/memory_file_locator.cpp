#include "platform/memory_file_locator.h"

namespace qb::platform {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  return text;
}

}  // namespace

void MemoryFileLocator::SetEnvironment(const std::string& name, std::string value) {
  environment_[Upper(name)] = std::move(value);
}

std::string MemoryFileLocator::ExpandEnvironment(std::string_view text) {
  std::string expanded;
  while (!text.empty()) {
    const std::size_t open = text.find('%');
    const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    expanded += text.substr(0, open);
    const auto it = environment_.find(Upper(std::string(text.substr(open + 1, close - open - 1))));
    if (it == environment_.end()) {
      // Unknown: the first % stays, and the second may open a reference.
      expanded += text.substr(open, close - open);
      text.remove_prefix(close);
    } else {
      expanded += it->second;
      text.remove_prefix(close + 1);
    }
  }
  return expanded + std::string(text);
}

std::string MemoryFileLocator::FullPath(std::string_view name, RegistryView view) {
  const auto it = full_paths_.find(std::string(name));
  const std::string path = it == full_paths_.end() ? std::string(name) : it->second;
  if (view != RegistryView::k32) return path;
  return RedirectSystemFolder(path, "C:\\Windows\\System32", "C:\\Windows\\SysWOW64");
}

}  // namespace qb::platform
