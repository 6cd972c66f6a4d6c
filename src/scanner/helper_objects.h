#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/list_file.h"
#include "platform/code_page.h"
#include "platform/registry_backend.h"

// The browser helper objects registered on the machine.
namespace qb::scanner {

// Under HKEY_LOCAL_MACHINE; each direct subkey is one object, named by its
// CLSID in braces.
inline constexpr char kBrowserHelperObjectsKey[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// The CLSID text of a subkey name: the 36 characters after its first one
// (fewer when the name is shorter), so "{X}" gives X. Characters, not code
// units: a surrogate pair is one character and is never split.
std::u16string ClsidFromKeyName(std::u16string_view key_name);

// The subkey names of the Browser Helper Objects key, exactly as the
// registry gives them, in its order; empty when the key is missing or
// cannot be read.
std::vector<std::u16string> RegisteredObjectNames(platform::RegistryBackend& registry);

// Whether the lists hold `clsid`, which they keep in the ANSI code page.
struct ListMembership {
  const lists::ClsidLists& lists;
  const platform::CodePage& code_page;

  bool Known(std::u16string_view clsid) const;
  bool Ignored(std::u16string_view clsid) const;
  bool Blocked(std::u16string_view clsid) const;
};

// The scan: the CLSID texts of the registered objects that neither the
// known-object list nor the ignored list holds, in the registry's order.
// The blocked list plays no part.
std::vector<std::u16string> FindSuspiciousObjects(platform::RegistryBackend& registry,
                                                  const ListMembership& membership);

}  // namespace qb::scanner
