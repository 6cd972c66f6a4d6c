#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

using platform::RegistryStatus;
using platform::RegistryStatusKind;
using platform::RegistryValue;

RegistryStatus StatusOf(LSTATUS code) {
  switch (code) {
    case ERROR_SUCCESS:
      return RegistryStatus::Ok();
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return {RegistryStatusKind::NotFound, static_cast<std::uint32_t>(code)};
    case ERROR_ACCESS_DENIED:
      return {RegistryStatusKind::AccessDenied, static_cast<std::uint32_t>(code)};
    default:
      return {RegistryStatusKind::Failed, static_cast<std::uint32_t>(code)};
  }
}

HKEY RootHandle(platform::RegistryRoot root) {
  switch (root) {
    case platform::RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case platform::RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case platform::RegistryRoot::CurrentUser:
      break;
  }
  return HKEY_CURRENT_USER;
}

// Registry names are at most 16383 characters; values may be longer, so
// their size is asked for first.
constexpr DWORD kMaxNameLength = 16384;

class Win32Key final : public platform::OpenRegistryKey {
 public:
  explicit Win32Key(UniqueHkey key) : key_(std::move(key)) {}

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    std::wstring name(kMaxNameLength, L'\0');
    for (DWORD index = 0;; ++index) {
      DWORD length = kMaxNameLength;
      const LSTATUS status = ::RegEnumKeyExW(key_.get(), index, name.data(), &length, nullptr,
                                             nullptr, nullptr, nullptr);
      if (status != ERROR_SUCCESS) break;
      names.push_back(Narrow(std::wstring_view(name.data(), length)));
    }
    return names;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    std::wstring name(kMaxNameLength, L'\0');
    for (DWORD index = 0;; ++index) {
      DWORD length = kMaxNameLength;
      const LSTATUS status = ::RegEnumValueW(key_.get(), index, name.data(), &length, nullptr,
                                             nullptr, nullptr, nullptr);
      if (status != ERROR_SUCCESS) break;
      names.push_back(Narrow(std::wstring_view(name.data(), length)));
    }
    return names;
  }

  RegistryStatus Read(std::string_view name, RegistryValue& value) override {
    const std::wstring wide_name = Widen(name);
    for (;;) {
      DWORD type = 0;
      DWORD size = 0;
      LSTATUS status =
          ::RegQueryValueExW(key_.get(), wide_name.c_str(), nullptr, &type, nullptr, &size);
      if (status != ERROR_SUCCESS) return StatusOf(status);
      std::vector<std::uint8_t> data(size);
      status = ::RegQueryValueExW(key_.get(), wide_name.c_str(), nullptr, &type,
                                  data.empty() ? nullptr : data.data(), &size);
      if (status == ERROR_MORE_DATA) continue;  // it grew in between
      if (status != ERROR_SUCCESS) return StatusOf(status);
      data.resize(size);
      value = RegistryValue{type, std::move(data)};
      return RegistryStatus::Ok();
    }
  }

  RegistryStatus Write(std::string_view name, const RegistryValue& value) override {
    return StatusOf(::RegSetValueExW(key_.get(), Widen(name).c_str(), 0, value.type,
                                     value.data.data(), static_cast<DWORD>(value.data.size())));
  }

  RegistryStatus DeleteValue(std::string_view name) override {
    return StatusOf(::RegDeleteValueW(key_.get(), Widen(name).c_str()));
  }

 private:
  UniqueHkey key_;
};

}  // namespace

std::unique_ptr<platform::OpenRegistryKey> Win32Registry::Open(platform::RegistryRoot root,
                                                               std::string_view path,
                                                               platform::KeyAccess access,
                                                               RegistryStatus& status) {
  const REGSAM rights = access == platform::KeyAccess::Read ? KEY_READ : KEY_READ | KEY_WRITE;
  UniqueHkey key;
  status = StatusOf(::RegOpenKeyExW(RootHandle(root), Widen(path).c_str(), 0, rights, key.put()));
  if (!status.ok()) return nullptr;
  return std::make_unique<Win32Key>(std::move(key));
}

std::unique_ptr<platform::OpenRegistryKey> Win32Registry::Create(platform::RegistryRoot root,
                                                                 std::string_view path,
                                                                 RegistryStatus& status) {
  UniqueHkey key;
  status = StatusOf(::RegCreateKeyExW(RootHandle(root), Widen(path).c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                      key.put(), nullptr));
  if (!status.ok()) return nullptr;
  return std::make_unique<Win32Key>(std::move(key));
}

RegistryStatus Win32Registry::DeleteKey(platform::RegistryRoot root, std::string_view path) {
  return StatusOf(::RegDeleteKeyW(RootHandle(root), Widen(path).c_str()));
}

}  // namespace qb::win32
