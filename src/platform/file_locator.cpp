#include "platform/file_locator.h"

#include <algorithm>

#include "platform/path_checks.h"

namespace qb::platform {

std::optional<std::string> LocateLocalFile(FileLocator& locator, std::string_view name, bool expand,
                                           RegistryView view) {
  if (IsRemoteOrDevicePath(name)) return std::nullopt;
  std::string expanded(name);
  if (expand) {
    expanded = locator.ExpandEnvironment(name);
    if (IsRemoteOrDevicePath(expanded)) return std::nullopt;
  }
  // A drive that the user mapped to a share becomes its UNC path, which is
  // the user's own choice and is read; a device becomes "\\.\NAME".
  std::string path = locator.FullPath(expanded, view);
  if (IsDeviceNamespacePath(path)) return std::nullopt;
  return path;
}

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

}  // namespace qb::platform
