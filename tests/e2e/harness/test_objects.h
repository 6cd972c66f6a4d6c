#pragma once

#include <string>

#include "harness/registry_fixture.h"

// The helper objects the tests register, named as the lists hold them:
// CLSIDs without braces, all beginning with the tests' own prefix.
namespace qb::e2e {

inline constexpr wchar_t kA[] = L"E2E0000A-0000-4000-8000-00000000000A";
inline constexpr wchar_t kB[] = L"E2E0000B-0000-4000-8000-00000000000B";
inline constexpr wchar_t kC[] = L"E2E0000C-0000-4000-8000-00000000000C";
inline constexpr wchar_t kD[] = L"E2E0000D-0000-4000-8000-00000000000D";

// The key name of an object: its CLSID in braces.
inline std::wstring Braced(const std::wstring& clsid) { return L"{" + clsid + L"}"; }

// The object's key under Browser Helper Objects (the 64-bit view).
inline std::wstring ObjectKey(const std::wstring& clsid) {
  return std::wstring(kBhoKey) + L"\\" + Braced(clsid);
}

// ASCII text as the 8-bit list files hold it.
inline std::string Narrow(const std::wstring& ascii) {
  return std::string(ascii.begin(), ascii.end());
}

// A name with a NUL inside, as only the native registry calls can make it.
inline std::wstring WithNul(const std::wstring& before, const std::wstring& after) {
  return before + L'\0' + after;
}

}  // namespace qb::e2e
