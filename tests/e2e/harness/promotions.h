#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The promotion schedule's values, the shell folders of the index files and
// the web links, as the tests prepare and inspect them.
namespace qb::e2e {

// Now as the schedule stores dates: days since 30 December 1899.
double NowAsDate();

// A program that has run before: the stamp, a first run `days_ago` days
// back and the counter at `launches`.
void SetLaunchState(double days_ago, DWORD launches);

struct StoredValue {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
};
std::optional<StoredValue> ReadValue(HKEY root, const std::wstring& path, const std::wstring& name);
void WriteValue(HKEY root, const std::wstring& path, const std::wstring& name,
                const StoredValue& value);
void DeleteValue(HKEY root, const std::wstring& path, const std::wstring& name);
std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path);
std::optional<DWORD> StoredDword(const std::wstring& name);
std::optional<double> StoredDate(const std::wstring& name);
// The program's settings values, the launch state left out.
std::vector<std::wstring> SettingValueNames();

inline constexpr wchar_t kShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr wchar_t kUserShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the History, Cache and Cookies folders somewhere else while it
// lives and puts the old values back at its end. Both keys are set: Wine
// writes "Shell Folders" from "User Shell Folders" whenever a program asks
// for a folder, as WinInet does when it loads.
class ShellFolders {
 public:
  ShellFolders();
  ~ShellFolders();
  ShellFolders(const ShellFolders&) = delete;
  ShellFolders& operator=(const ShellFolders&) = delete;

  void Set(const std::wstring& name, const std::filesystem::path& folder);

 private:
  std::map<std::pair<std::wstring, std::wstring>, std::optional<StoredValue>> saved_;
};

// Registers a stand-in web browser for http addresses while it lives, in
// place of the prefix's own: it writes each address it is given to a
// file, one line each.
class WebLinkRecorder {
 public:
  explicit WebLinkRecorder(const std::filesystem::path& log);
  ~WebLinkRecorder();
  WebLinkRecorder(const WebLinkRecorder&) = delete;
  WebLinkRecorder& operator=(const WebLinkRecorder&) = delete;

  // The addresses opened so far.
  std::vector<std::wstring> Opened() const;

 private:
  std::filesystem::path log_;
  std::optional<StoredValue> saved_;
};

}  // namespace qb::e2e
