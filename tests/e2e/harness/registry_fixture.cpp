#include "harness/registry_fixture.h"

#include <winternl.h>

#include <vector>

extern "C" {
NTSTATUS NTAPI NtCreateKey(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes,
                           ULONG title_index, PUNICODE_STRING class_name, ULONG options,
                           PULONG disposition);
NTSTATUS NTAPI NtOpenKey(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes);
NTSTATUS NTAPI NtDeleteKey(HANDLE key);
NTSTATUS NTAPI NtSetValueKey(HANDLE key, PUNICODE_STRING name, ULONG title_index, ULONG type,
                             PVOID data, ULONG size);
}

namespace qb::e2e {
namespace {

class Counted {
 public:
  explicit Counted(const std::wstring& name) {
    name_.Buffer = const_cast<PWSTR>(name.data());
    name_.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    name_.MaximumLength = name_.Length;
  }
  PUNICODE_STRING get() { return &name_; }

 private:
  UNICODE_STRING name_{};
};

std::vector<std::wstring> SubkeysOf(HKEY key) {
  std::vector<std::wstring> names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

// Every subkey through its counted name: RegDeleteTree cuts names at a NUL.
void DeleteBelow(HKEY key, int depth) {
  if (depth > 600) return;
  for (const std::wstring& name : SubkeysOf(key)) {
    Counted counted(name);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, counted.get(), OBJ_CASE_INSENSITIVE, key, nullptr);
    HANDLE child = nullptr;
    if (!NT_SUCCESS(::NtOpenKey(&child, KEY_ALL_ACCESS, &attributes))) continue;
    DeleteBelow(static_cast<HKEY>(child), depth + 1);
    ::NtDeleteKey(child);
    ::CloseHandle(child);
  }
}

// The class registrations of the tests' objects.
void DeleteTestClasses(const std::wstring& path) {
  for (const std::wstring& name : SubkeyNames(HKEY_CLASSES_ROOT, path)) {
    if (name.starts_with(kTestClsidPrefix)) DeleteTree(HKEY_CLASSES_ROOT, path + L"\\" + name);
  }
}

}  // namespace

void Register(const HelperObject& object, REGSAM view) {
  CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kBhoKey) + L"\\" + object.key_name, view);
  if (!object.class_name && !object.server) return;
  const std::wstring class_key = L"CLSID\\" + object.key_name;
  CreateKey(HKEY_CLASSES_ROOT, class_key, view);
  if (object.class_name) SetString(HKEY_CLASSES_ROOT, class_key, L"", *object.class_name, view);
  if (object.server) {
    SetString(HKEY_CLASSES_ROOT, class_key + L"\\InprocServer32", L"", *object.server, view);
  }
}

void ResetRegistry() {
  DeleteTree(HKEY_CURRENT_USER, L"Software\\Tarnwick");
  DeleteTree(HKEY_LOCAL_MACHINE, kBhoKey);
  DeleteTree(HKEY_LOCAL_MACHINE, kBhoKey32);
  for (const wchar_t* classes : {L"CLSID", L"Wow6432Node\\CLSID"}) DeleteTestClasses(classes);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

void CreateKey(HKEY root, const std::wstring& path, REGSAM view) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
    ::RegCloseKey(key);
  }
}

void DeleteTree(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  DeleteBelow(key, 0);
  ::RegCloseKey(key);
  ::RegDeleteKeyW(root, path.c_str());
}

bool CreateKeyWithCountedName(HKEY root, const std::wstring& parent_path,
                              const std::wstring& name) {
  HKEY parent = nullptr;
  if (::RegOpenKeyExW(root, parent_path.c_str(), 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS) {
    return false;
  }
  Counted counted(name);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, counted.get(), OBJ_CASE_INSENSITIVE, parent, nullptr);
  HANDLE key = nullptr;
  const NTSTATUS status = ::NtCreateKey(&key, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr);
  ::RegCloseKey(parent);
  if (!NT_SUCCESS(status)) return false;
  ::CloseHandle(key);
  return true;
}

bool SetDwordWithCountedName(HKEY root, const std::wstring& path, const std::wstring& name,
                             DWORD number) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  Counted counted(name);
  const NTSTATUS status = ::NtSetValueKey(key, counted.get(), 0, REG_DWORD, &number, sizeof number);
  ::RegCloseKey(key);
  return NT_SUCCESS(status);
}

DWORD MergeWithRegedit(const std::filesystem::path& file) {
  std::wstring command = L"regedit.exe /s \"" + file.wstring() + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return 1000;
  }
  ::WaitForSingleObject(info.hProcess, 30000);
  DWORD code = 0;
  ::GetExitCodeProcess(info.hProcess, &code);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return code;
}

std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  names = SubkeysOf(key);
  ::RegCloseKey(key);
  return names;
}

void SetString(HKEY root, const std::wstring& path, const std::wstring& name,
               const std::wstring& text, REGSAM view) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
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

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& name) {
  DWORD number = 0;
  DWORD size = sizeof number;
  if (::RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &number, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return number;
}

}  // namespace qb::e2e
