#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_backend.h"

// Where the file that a registry value names lies, as the loader finds it.
namespace qb::platform {

// The seam to the system's path rules (kernel32 and mpr on Windows).
class FileLocator {
 public:
  virtual ~FileLocator() = default;
  // %NAME% references replaced by the environment's values, as Windows
  // expands a REG_EXPAND_SZ value; unknown references stay as they are.
  virtual std::string ExpandEnvironment(std::string_view text) = 0;
  // The full path of a name: a relative name against the current folder, a
  // drive letter that maps a network share in its UNC form, a name that
  // Windows takes for a device as its "\\.\NAME" form. For the 32-bit view,
  // the file that a 32-bit program would load.
  virtual std::string FullPath(std::string_view name, RegistryView view) = 0;
};

// The file to open for a name that another program wrote (a server path, a
// shell folder), or nothing when it must not be opened: a network path or
// a device, as written, once expanded (`expand`: the value was
// REG_EXPAND_SZ) or once made full. The one check for every such name.
std::optional<std::string> LocateLocalFile(FileLocator& locator, std::string_view name, bool expand,
                                           RegistryView view);

// Where a 32-bit program finds a file of the system folder: Windows
// redirects "<system>\x" to "<wow64>\x" for it. Other paths are unchanged;
// folders compare without regard to ASCII letter case.
std::string RedirectSystemFolder(std::string_view path, std::string_view system,
                                 std::string_view wow64);

}  // namespace qb::platform
