#include "platform/path_checks.h"

namespace qb::platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool IsDeviceNamespacePath(std::string_view path) {
  if (path.size() < 4 || !IsSeparator(path[0]) || !IsSeparator(path[3])) return false;
  const bool dos_device = IsSeparator(path[1]) && (path[2] == '.' || path[2] == '?');
  const bool object_manager = path[1] == '?' && path[2] == '?';
  return dos_device || object_manager;
}

bool IsRemoteOrDevicePath(std::string_view path) {
  const bool unc = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  return unc || IsDeviceNamespacePath(path);
}

}  // namespace qb::platform
