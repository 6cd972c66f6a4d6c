#include "harness/promotions.h"

#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "harness/program.h"
#include "harness/registry_fixture.h"

namespace qb::e2e {
namespace {

constexpr const wchar_t* kLaunchValues[] = {L"Version", L"Xpos", L"Ypos", L"Count", L"DemoShown"};
constexpr const wchar_t* kFolderNames[] = {L"History", L"Cache", L"Cookies"};
// Wine reads the classes of HKEY_CLASSES_ROOT from the machine's key only.
constexpr wchar_t kHttpCommandKey[] = L"Software\\Classes\\http\\shell\\open\\command";

}  // namespace

double NowAsDate() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  double days = 0;
  ::SystemTimeToVariantTime(&now, &days);
  return days;
}

void SetLaunchState(double days_ago, DWORD launches) {
  SetString(HKEY_CURRENT_USER, kSettingsKey, L"Version", L"Quellbright");
  const double first_run = NowAsDate() - days_ago;
  StoredValue date{REG_BINARY, std::vector<std::uint8_t>(sizeof first_run)};
  std::memcpy(date.data.data(), &first_run, sizeof first_run);
  WriteValue(HKEY_CURRENT_USER, kSettingsKey, L"Xpos", date);
  SetDword(HKEY_CURRENT_USER, kSettingsKey, L"Ypos", launches);
  SetDword(HKEY_CURRENT_USER, kSettingsKey, L"Count", 0);
}

std::optional<StoredValue> ReadValue(HKEY root, const std::wstring& path,
                                     const std::wstring& name) {
  DWORD type = 0;
  DWORD size = 0;
  if (::RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  StoredValue value{type, std::vector<std::uint8_t>(size)};
  if (::RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     value.data.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

void WriteValue(HKEY root, const std::wstring& path, const std::wstring& name,
                const StoredValue& value) {
  ::RegSetKeyValueW(root, path.c_str(), name.c_str(), value.type, value.data.data(),
                    static_cast<DWORD>(value.data.size()));
}

void DeleteValue(HKEY root, const std::wstring& path, const std::wstring& name) {
  ::RegDeleteKeyValueW(root, path.c_str(), name.c_str());
}

std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (::RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  ::RegCloseKey(key);
  return names;
}

std::optional<DWORD> StoredDword(const std::wstring& name) {
  return ReadDword(HKEY_CURRENT_USER, kSettingsKey, name);
}

std::optional<double> StoredDate(const std::wstring& name) {
  const auto value = ReadValue(HKEY_CURRENT_USER, kSettingsKey, name);
  if (!value || value->type != REG_BINARY || value->data.size() != 8) return std::nullopt;
  double days = 0;
  std::memcpy(&days, value->data.data(), sizeof days);
  return days;
}

std::vector<std::wstring> SettingValueNames() {
  std::vector<std::wstring> names = ValueNames(HKEY_CURRENT_USER, kSettingsKey);
  std::erase_if(names, [](const std::wstring& name) {
    return std::any_of(std::begin(kLaunchValues), std::end(kLaunchValues),
                       [&](const wchar_t* launch) { return name == launch; });
  });
  return names;
}

ShellFolders::ShellFolders() {
  for (const wchar_t* key : {kShellFoldersKey, kUserShellFoldersKey}) {
    for (const wchar_t* name : kFolderNames) {
      saved_[{key, name}] = ReadValue(HKEY_CURRENT_USER, key, name);
    }
  }
}

ShellFolders::~ShellFolders() {
  for (const auto& [where, value] : saved_) {
    if (value) {
      WriteValue(HKEY_CURRENT_USER, where.first, where.second, *value);
    } else {
      DeleteValue(HKEY_CURRENT_USER, where.first, where.second);
    }
  }
}

void ShellFolders::Set(const std::wstring& name, const std::filesystem::path& folder) {
  SetString(HKEY_CURRENT_USER, kShellFoldersKey, name, folder.wstring());
  const std::wstring text = folder.wstring();
  WriteValue(
      HKEY_CURRENT_USER, kUserShellFoldersKey, name,
      StoredValue{REG_EXPAND_SZ,
                  std::vector<std::uint8_t>(
                      reinterpret_cast<const std::uint8_t*>(text.c_str()),
                      reinterpret_cast<const std::uint8_t*>(text.c_str() + text.size() + 1))});
}

WebLinkRecorder::WebLinkRecorder(const std::filesystem::path& log)
    : log_(log), saved_(ReadValue(HKEY_LOCAL_MACHINE, kHttpCommandKey, L"")) {
  const std::filesystem::path recorder = BuildFolder() / L"samples" / L"qb_url_recorder.exe";
  SetString(HKEY_LOCAL_MACHINE, kHttpCommandKey, L"",
            L"\"" + recorder.wstring() + L"\" \"" + log_.wstring() + L"\" \"%1\"");
}

WebLinkRecorder::~WebLinkRecorder() {
  if (saved_) {
    WriteValue(HKEY_LOCAL_MACHINE, kHttpCommandKey, L"", *saved_);
  } else {
    DeleteValue(HKEY_LOCAL_MACHINE, kHttpCommandKey, L"");
  }
}

std::vector<std::wstring> WebLinkRecorder::Opened() const {
  std::vector<std::wstring> opened;
  std::wifstream file(log_);
  std::wstring line;
  while (std::getline(file, line)) opened.push_back(line);
  return opened;
}

}  // namespace qb::e2e
