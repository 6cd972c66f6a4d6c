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
// CLSID in braces. A 32-bit browser reads the key of the 32-bit view.
inline constexpr char kBrowserHelperObjectsKey[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// The CLSID text of a subkey name: the 36 characters after its first one
// (fewer when the name is shorter), so "{X}" gives X. Characters, not code
// units: a surrogate pair is one character and is never split.
std::u16string ClsidFromKeyName(std::u16string_view key_name);

// The subkey names of the Browser Helper Objects key of one view, exactly as
// the registry gives them, in its order; empty when the key is missing or
// cannot be read.
std::vector<std::u16string> RegisteredObjectNames(platform::RegistryBackend& registry,
                                                  platform::RegistryView view);

// An object, named by its CLSID alone, and the views that register it, the
// program's own first.
struct RegisteredObject {
  std::u16string clsid;
  std::vector<platform::RegistryView> views;

  // The view its details come from: the first that registers it.
  platform::RegistryView view() const {
    return views.empty() ? platform::RegistryView::k64 : views.front();
  }

  friend bool operator==(const RegisteredObject&, const RegisteredObject&) = default;
};

// Every registered object: those of the program's own view in its
// enumeration order, then those that only the other view holds. A CLSID
// that both views hold (in any letter case) is one object.
std::vector<RegisteredObject> RegisteredObjects(platform::RegistryBackend& registry);

// The views whose Browser Helper Objects key holds "{clsid}", the
// program's own first.
std::vector<platform::RegistryView> ViewsRegistering(platform::RegistryBackend& registry,
                                                     std::u16string_view clsid);
// The view an object's details come from: the first that registers it, or
// the program's own when none does.
platform::RegistryView ViewForDetails(platform::RegistryBackend& registry,
                                      std::u16string_view clsid);

// Whether the lists hold `clsid`, which they keep in the ANSI code page.
struct ListMembership {
  const lists::ClsidLists& lists;
  const platform::CodePage& code_page;

  bool Known(std::u16string_view clsid) const;
  bool Ignored(std::u16string_view clsid) const;
  bool Blocked(std::u16string_view clsid) const;
};

// The scan: the registered objects that neither the known-object list nor
// the ignored list holds, in the order of RegisteredObjects. The blocked list
// plays no part.
std::vector<RegisteredObject> FindSuspiciousObjects(platform::RegistryBackend& registry,
                                                    const ListMembership& membership);

}  // namespace qb::scanner
