#pragma once

#include <string>
#include <string_view>

namespace qb::scanner {

// Under HKEY_LOCAL_MACHINE, from the root: the key whose subkey "{clsid}"
// removing an object deletes (the registry ignores letter case).
inline constexpr char kRemovedKeyParent[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper Objects";

// "{" + clsid + "}": the form in which keys name a CLSID.
std::u16string InBraces(std::u16string_view clsid);

// The removed key of `clsid` from the root: "Software\...\{clsid}".
std::u16string RemovedKeyPath(std::u16string_view clsid);

}  // namespace qb::scanner
