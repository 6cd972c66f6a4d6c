#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/nt_registry.h"
#include "platform/win32/unique_handle.h"

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

REGSAM RightsFor(platform::KeyAccess access) {
  return access == platform::KeyAccess::Read ? KEY_READ : KEY_READ | KEY_WRITE;
}

// Named explicitly, so that a 32-bit build reaches the 64-bit view too.
REGSAM ViewFlag(platform::RegistryView view) {
  return view == platform::RegistryView::k32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

bool HasNul(std::u16string_view name) { return name.find(u'\0') != std::u16string_view::npos; }

// The W functions read names up to their first NUL; a name without one can
// go to them as it is.
std::wstring Terminated(std::u16string_view name) { return std::wstring(name.begin(), name.end()); }

std::u16string_view UnitsOf(const wchar_t* text, DWORD length) {
  return {reinterpret_cast<const char16_t*>(text), length};
}

class Win32Key final : public platform::OpenRegistryKey {
 public:
  // How often a value that keeps growing while it is read is asked for again.
  static constexpr int kMaxRetries = 8;

  Win32Key(UniqueHkey key, REGSAM view) : key_(std::move(key)), view_(view) {}

  std::vector<std::u16string> SubkeyNames() override {
    std::vector<std::u16string> names;
    // Key names are at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      const LSTATUS status =
          ::RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (status != ERROR_SUCCESS) break;
      names.emplace_back(UnitsOf(name, length));
    }
    return names;
  }

  std::vector<platform::NamedValue> Values() override {
    std::vector<platform::NamedValue> values;
    DWORD name_capacity = 0;
    DWORD data_capacity = 0;
    if (!QueryCapacities(name_capacity, data_capacity)) return values;
    std::wstring name(name_capacity, L'\0');
    std::vector<std::uint8_t> data(data_capacity);
    int retries = 0;
    for (DWORD index = 0;;) {
      DWORD length = name_capacity;
      DWORD size = data_capacity;
      DWORD type = 0;
      const LSTATUS status = ::RegEnumValueW(key_.get(), index, name.data(), &length, nullptr,
                                             &type, data.data(), &size);
      if (status == ERROR_MORE_DATA) {
        // A value grew since the sizes were asked for: ask again, same index.
        if (++retries > kMaxRetries || !QueryCapacities(name_capacity, data_capacity)) break;
        name.resize(name_capacity);
        data.resize(data_capacity);
        continue;
      }
      if (status != ERROR_SUCCESS) break;
      values.push_back({std::u16string(UnitsOf(name.data(), length)),
                        RegistryValue{type, {data.begin(), data.begin() + size}}});
      ++index;
      retries = 0;
    }
    return values;
  }

  RegistryStatus Read(std::u16string_view name, RegistryValue& value) override {
    if (HasNul(name)) return StatusOf(nt::QueryValue(key_.get(), name, value));
    const std::wstring terminated = Terminated(name);
    for (;;) {
      DWORD type = 0;
      DWORD size = 0;
      LSTATUS status =
          ::RegQueryValueExW(key_.get(), terminated.c_str(), nullptr, &type, nullptr, &size);
      if (status != ERROR_SUCCESS) return StatusOf(status);
      std::vector<std::uint8_t> data(size);
      status = ::RegQueryValueExW(key_.get(), terminated.c_str(), nullptr, &type,
                                  data.empty() ? nullptr : data.data(), &size);
      if (status == ERROR_MORE_DATA) continue;  // it grew in between
      if (status != ERROR_SUCCESS) return StatusOf(status);
      data.resize(size);
      value = RegistryValue{type, std::move(data)};
      return RegistryStatus::Ok();
    }
  }

  RegistryStatus Write(std::u16string_view name, const RegistryValue& value) override {
    if (HasNul(name)) return StatusOf(nt::SetValue(key_.get(), name, value));
    return StatusOf(::RegSetValueExW(key_.get(), Terminated(name).c_str(), 0, value.type,
                                     value.data.data(), static_cast<DWORD>(value.data.size())));
  }

  RegistryStatus DeleteValue(std::u16string_view name) override {
    if (HasNul(name)) return StatusOf(nt::DeleteValue(key_.get(), name));
    return StatusOf(::RegDeleteValueW(key_.get(), Terminated(name).c_str()));
  }

  std::unique_ptr<platform::OpenRegistryKey> OpenSubkey(std::u16string_view name,
                                                        platform::KeyAccess access,
                                                        RegistryStatus& status) override {
    UniqueHkey key;
    if (name.empty()) {
      // An empty name would open this key again.
      status = StatusOf(ERROR_FILE_NOT_FOUND);
    } else if (HasNul(name)) {
      status = StatusOf(nt::OpenSubkey(key_.get(), name, RightsFor(access), key));
    } else {
      status = StatusOf(::RegOpenKeyExW(key_.get(), Terminated(name).c_str(), 0,
                                        RightsFor(access) | view_, key.put()));
    }
    if (!status.ok()) return nullptr;
    return std::make_unique<Win32Key>(std::move(key), view_);
  }

  RegistryStatus DeleteSubkey(std::u16string_view name) override {
    if (name.empty()) return StatusOf(ERROR_FILE_NOT_FOUND);
    if (HasNul(name)) return StatusOf(nt::DeleteSubkey(key_.get(), name));
    return StatusOf(::RegDeleteKeyExW(key_.get(), Terminated(name).c_str(), view_, 0));
  }

 private:
  bool QueryCapacities(DWORD& name_capacity, DWORD& data_capacity) {
    DWORD longest_name = 0;
    DWORD largest_data = 0;
    if (::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, &longest_name, &largest_data, nullptr,
                           nullptr) != ERROR_SUCCESS) {
      return false;
    }
    name_capacity = longest_name + 1;
    data_capacity = largest_data;
    return true;
  }

  UniqueHkey key_;
  REGSAM view_;
};

// The path's leading names that contain no NUL, and the names after them.
struct SplitAtNul {
  std::u16string_view plain;
  std::u16string_view rest;
};

SplitAtNul SplitPathAtNul(std::u16string_view path) {
  const std::size_t nul = path.find(u'\0');
  if (nul == std::u16string_view::npos) return {path, {}};
  const std::size_t separator = path.rfind(u'\\', nul);
  if (separator == std::u16string_view::npos) return {{}, path};
  return {path.substr(0, separator), path.substr(separator + 1)};
}

}  // namespace

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

Win32Registry::Win32Registry() {
  BOOL wow64 = FALSE;
  if constexpr (sizeof(void*) == 8) {
    views_ = {platform::RegistryView::k64, platform::RegistryView::k32};
  } else if (::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64) {
    views_ = {platform::RegistryView::k32, platform::RegistryView::k64};
  } else {
    views_ = {platform::RegistryView::k32};
  }
}

std::unique_ptr<platform::OpenRegistryKey> Win32Registry::Open(platform::RegistryRoot root,
                                                               platform::RegistryView view,
                                                               std::u16string_view path,
                                                               platform::KeyAccess access,
                                                               RegistryStatus& status) {
  const SplitAtNul split = SplitPathAtNul(path);
  const platform::KeyAccess first_access = split.rest.empty() ? access : platform::KeyAccess::Read;
  UniqueHkey key;
  status = StatusOf(::RegOpenKeyExW(RootHandle(root), Terminated(split.plain).c_str(), 0,
                                    RightsFor(first_access) | ViewFlag(view), key.put()));
  if (!status.ok()) return nullptr;
  std::unique_ptr<platform::OpenRegistryKey> open =
      std::make_unique<Win32Key>(std::move(key), ViewFlag(view));
  // Names with a NUL inside are opened one at a time through their parent.
  std::u16string_view rest = split.rest;
  while (!rest.empty() && open) {
    const std::size_t separator = rest.find(u'\\');
    const std::u16string_view name = rest.substr(0, separator);
    rest =
        separator == std::u16string_view::npos ? std::u16string_view{} : rest.substr(separator + 1);
    open = open->OpenSubkey(name, rest.empty() ? access : platform::KeyAccess::Read, status);
  }
  return open;
}

std::unique_ptr<platform::OpenRegistryKey> Win32Registry::Create(platform::RegistryRoot root,
                                                                 platform::RegistryView view,
                                                                 std::u16string_view path,
                                                                 RegistryStatus& status) {
  // The program creates keys only under names of its own, never with a NUL.
  if (HasNul(path)) {
    status = StatusOf(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  UniqueHkey key;
  status = StatusOf(::RegCreateKeyExW(
      RootHandle(root), Terminated(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
      KEY_READ | KEY_WRITE | ViewFlag(view), nullptr, key.put(), nullptr));
  if (!status.ok()) return nullptr;
  return std::make_unique<Win32Key>(std::move(key), ViewFlag(view));
}

}  // namespace qb::win32
