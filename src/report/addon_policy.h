#pragma once

#include <string>
#include <vector>

// Internet Explorer's own add-on policy ("Add-on List") made from the blocked
// list, for administrators to spread over many machines: it denies the
// blocked objects wherever it is merged, whether Quellbright runs there or not.
namespace qb::report {

// The policy's keys as regedit names them; the first turns the list on, the
// second holds one value per add-on.
inline constexpr char kAddonPolicyKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext";
inline constexpr char kAddonListKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext\\CLSID";

struct AddonPolicy {
  // REGEDIT4, CR LF after every line.
  std::string text;
  // The add-ons it denies, and the entries left out for not being a CLSID.
  int denied = 0;
  int malformed = 0;
};

// A REGEDIT4 file that sets "ListBox_Support_CLSID" = dword 1 under
// kAddonPolicyKey and, under kAddonListKey, "{clsid}" = "0" for every entry
// of `blocked` that is a CLSID (lists::IsClsidText), in the list's order,
// each once: a later entry equal to an earlier one without regard to letter
// case, as the lists compare, is left out. Entries that are no CLSID are
// left out and counted; as only CLSIDs are written, no name needs escaping.
AddonPolicy BuildAddonPolicy(const std::vector<std::string>& blocked);

}  // namespace qb::report
