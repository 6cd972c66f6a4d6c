#pragma once

#include <string>
#include <string_view>

namespace qb::scanner {

// The key that removing the object `clsid` deletes, under
// HKEY_LOCAL_MACHINE, from the root: "Software\...\Browser Helper
// Objects\{clsid}" (the registry ignores letter case).
std::string RemovedKeyPath(std::string_view clsid);

// The same key as a backup file names it: "HKEY_LOCAL_MACHINE\" and the path.
std::string BackupKeyName(std::string_view clsid);

}  // namespace qb::scanner
