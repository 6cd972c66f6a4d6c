#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The registry as the tests prepare and inspect it: the real (Wine) registry
// of the test prefix.
namespace qb::e2e {

inline constexpr wchar_t kBhoKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwick\\Quellbright";

// Removes everything the program reads or writes, so that each test starts
// from a machine on which the program never ran and no helper object is
// registered.
void ResetRegistry();

bool KeyExists(HKEY root, const std::wstring& path);
void CreateKey(HKEY root, const std::wstring& path);
void DeleteTree(HKEY root, const std::wstring& path);
void SetString(HKEY root, const std::wstring& path, const std::wstring& name,
               const std::wstring& text);
void SetDword(HKEY root, const std::wstring& path, const std::wstring& name, DWORD number);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path,
                                       const std::wstring& name);

}  // namespace qb::e2e
