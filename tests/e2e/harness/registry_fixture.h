#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The registry as the tests prepare and inspect it: the real (Wine) registry
// of the test prefix.
namespace qb::e2e {

inline constexpr wchar_t kBhoKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwick\\Quellbright";
// Every CLSID the tests register begins with this, so that a reset finds
// their class registrations again.
inline constexpr wchar_t kTestClsidPrefix[] = L"{E2E0";

// A browser helper object: its key under Browser Helper Objects and, when
// given, its class registration under HKEY_CLASSES_ROOT\CLSID.
struct HelperObject {
  std::wstring key_name;                   // "{...}" for a well-formed one
  std::optional<std::wstring> class_name;  // the class key's default value
  std::optional<std::wstring> server;      // InprocServer32's default value
};
// In the 64-bit view, or with KEY_WOW64_32KEY in the 32-bit one, where a
// 32-bit browser registers its objects.
void Register(const HelperObject& object, REGSAM view = KEY_WOW64_64KEY);

// The 32-bit view's Browser Helper Objects key, as the 64-bit view sees it.
inline constexpr wchar_t kBhoKey32[] =
    L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// Removes everything the program reads or writes, so that each test starts
// from a machine on which the program never ran and no helper object is
// registered.
void ResetRegistry();

bool KeyExists(HKEY root, const std::wstring& path);
void CreateKey(HKEY root, const std::wstring& path, REGSAM view = KEY_WOW64_64KEY);
// Deletes the key and everything below it, names with a NUL inside too.
void DeleteTree(HKEY root, const std::wstring& path);

// Names that the Win32 calls cannot make, as the programs this tool removes
// make them with the native calls: `name` is counted and may hold a NUL.
// Under the existing key `parent_path`.
bool CreateKeyWithCountedName(HKEY root, const std::wstring& parent_path, const std::wstring& name);
bool SetDwordWithCountedName(HKEY root, const std::wstring& path, const std::wstring& name,
                             DWORD number);
// Merges a .reg file as a user would, with the system's registry editor;
// its exit code (1000 when it could not start).
DWORD MergeWithRegedit(const std::filesystem::path& file);

// The names of the direct subkeys, counted.
std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path);
void SetString(HKEY root, const std::wstring& path, const std::wstring& name,
               const std::wstring& text, REGSAM view = KEY_WOW64_64KEY);
void SetDword(HKEY root, const std::wstring& path, const std::wstring& name, DWORD number);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path,
                                       const std::wstring& name);
std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& name);

// The current user's autostart entries, and the program's among them.
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline std::optional<std::wstring> RunEntry() {
  return ReadString(HKEY_CURRENT_USER, kRunKey, L"Quellbright");
}

}  // namespace qb::e2e
