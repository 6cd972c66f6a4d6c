#include "harness/registry_fixture.h"

#include <string_view>
#include <vector>

namespace qb::e2e {

void Register(const HelperObject& object) {
  CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kBhoKey) + L"\\" + object.key_name);
  if (!object.class_name && !object.server) return;
  const std::wstring class_key = L"CLSID\\" + object.key_name;
  CreateKey(HKEY_CLASSES_ROOT, class_key);
  if (object.class_name) SetString(HKEY_CLASSES_ROOT, class_key, L"", *object.class_name);
  if (object.server) {
    SetString(HKEY_CLASSES_ROOT, class_key + L"\\InprocServer32", L"", *object.server);
  }
}

void ResetRegistry() {
  DeleteTree(HKEY_CURRENT_USER, L"Software\\Tarnwick");
  DeleteTree(HKEY_LOCAL_MACHINE, kBhoKey);
  // The class registrations of the tests' objects.
  std::vector<std::wstring> test_classes;
  HKEY classes = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &classes) == ERROR_SUCCESS) {
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      if (::RegEnumKeyExW(classes, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      if (std::wstring_view(name, length).starts_with(kTestClsidPrefix)) {
        test_classes.emplace_back(name, length);
      }
    }
    ::RegCloseKey(classes);
  }
  for (const std::wstring& name : test_classes) DeleteTree(HKEY_CLASSES_ROOT, L"CLSID\\" + name);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

void CreateKey(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
    ::RegCloseKey(key);
  }
}

void DeleteTree(HKEY root, const std::wstring& path) {
  ::RegDeleteTreeW(root, path.c_str());
  ::RegDeleteKeyW(root, path.c_str());
}

void SetString(HKEY root, const std::wstring& path, const std::wstring& name,
               const std::wstring& text) {
  ::RegSetKeyValueW(root, path.c_str(), name.c_str(), REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY root, const std::wstring& path, const std::wstring& name, DWORD number) {
  ::RegSetKeyValueW(root, path.c_str(), name.c_str(), REG_DWORD, &number, sizeof number);
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path,
                                       const std::wstring& name) {
  wchar_t buffer[4096];
  DWORD size = sizeof buffer;
  if (::RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(buffer);
}

}  // namespace qb::e2e
