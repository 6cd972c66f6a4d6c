// The checks that keep the details from reading network and device paths,
// against a model of their rules written apart from them, and the system
// folder redirection of the 32-bit view.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/file_locator.h"
#include "platform/path_checks.h"

namespace {

// With forward slashes read as backslashes: "\\.\", "\\?\" and "\??\" are
// the device and object namespaces; any other "\\" begins a UNC path.
bool ModelDevice(std::string slashed) {
  for (char& c : slashed) c = c == '/' ? '\\' : c;
  return slashed.starts_with("\\\\.\\") || slashed.starts_with("\\\\?\\") ||
         slashed.starts_with("\\??\\");
}

bool ModelRemoteOrDevice(std::string slashed) {
  for (char& c : slashed) c = c == '/' ? '\\' : c;
  return slashed.starts_with("\\\\") || ModelDevice(slashed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  if (qb::platform::IsDeviceNamespacePath(path) != ModelDevice(path)) std::abort();
  if (qb::platform::IsRemoteOrDevicePath(path) != ModelRemoteOrDevice(path)) std::abort();

  const std::string system = "C:\\Windows\\System32";
  const std::string wow64 = "C:\\Windows\\SysWOW64";
  const std::string redirected = qb::platform::RedirectSystemFolder(path, system, wow64);
  if (redirected != path) {
    // Only the folder changes, and only for what lies inside it.
    if (!redirected.starts_with(wow64)) std::abort();
    if (redirected.substr(wow64.size()) != path.substr(system.size())) std::abort();
    if (path.size() <= system.size() || (path[system.size()] != '\\' && path[system.size()] != '/'))
      std::abort();
  }
  return 0;
}
