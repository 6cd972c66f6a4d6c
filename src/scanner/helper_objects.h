#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/list_file.h"
#include "platform/registry_backend.h"

// The browser helper objects registered on the machine.
namespace qb::scanner {

// Under HKEY_LOCAL_MACHINE; each direct subkey is one object, named by its
// CLSID in braces.
inline constexpr char kBrowserHelperObjectsKey[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// The CLSID text of a subkey name: the 36 characters after its first one
// (fewer when the name is shorter), so "{X}" gives X.
std::string ClsidFromKeyName(std::string_view key_name);

// The subkey names of the Browser Helper Objects key, in the registry's
// order; empty when the key is missing or cannot be read.
std::vector<std::string> RegisteredObjectNames(platform::RegistryBackend& registry);

// The scan: the CLSID texts of the registered objects that neither the
// known-object list nor the ignored list holds, in the registry's order.
// The blocked list plays no part.
std::vector<std::string> FindSuspiciousObjects(platform::RegistryBackend& registry,
                                               const lists::ClsidLists& lists);

}  // namespace qb::scanner
