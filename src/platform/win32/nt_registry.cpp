#include "platform/win32/nt_registry.h"

#include <winternl.h>

#include <vector>

extern "C" {
NTSTATUS NTAPI NtOpenKey(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes);
NTSTATUS NTAPI NtDeleteKey(HANDLE key);
NTSTATUS NTAPI NtQueryValueKey(HANDLE key, PUNICODE_STRING name, int information_class,
                               PVOID information, ULONG length, PULONG result_length);
NTSTATUS NTAPI NtSetValueKey(HANDLE key, PUNICODE_STRING name, ULONG title_index, ULONG type,
                             PVOID data, ULONG size);
NTSTATUS NTAPI NtDeleteValueKey(HANDLE key, PUNICODE_STRING name);
}

namespace qb::win32::nt {
namespace {

constexpr int kKeyValuePartialInformation = 2;
constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005L);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023L);

struct PartialInformation {
  ULONG title_index;
  ULONG type;
  ULONG data_length;
  UCHAR data[1];
};

// A counted name holds at most 32767 units; a longer one cannot name
// anything, and is never cut to a shorter one that might.
constexpr std::size_t kMaxNameUnits = 32767;

class CountedName {
 public:
  explicit CountedName(std::u16string_view name) {
    name_.Buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(name.data()));
    name_.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    name_.MaximumLength = name_.Length;
  }
  PUNICODE_STRING get() { return &name_; }

 private:
  UNICODE_STRING name_{};
};

LSTATUS ErrorOf(NTSTATUS status) {
  return NT_SUCCESS(status) ? ERROR_SUCCESS : static_cast<LSTATUS>(::RtlNtStatusToDosError(status));
}

}  // namespace

LSTATUS OpenSubkey(HKEY parent, std::u16string_view name, REGSAM access, UniqueHkey& key) {
  if (name.size() > kMaxNameUnits) return ERROR_INVALID_PARAMETER;
  CountedName counted(name);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, counted.get(), OBJ_CASE_INSENSITIVE, parent, nullptr);
  HANDLE handle = nullptr;
  const NTSTATUS status = ::NtOpenKey(&handle, access, &attributes);
  if (!NT_SUCCESS(status)) return ErrorOf(status);
  key.reset(static_cast<HKEY>(handle));
  return ERROR_SUCCESS;
}

LSTATUS DeleteSubkey(HKEY parent, std::u16string_view name) {
  UniqueHkey key;
  const LSTATUS opened = OpenSubkey(parent, name, DELETE, key);
  if (opened != ERROR_SUCCESS) return opened;
  return ErrorOf(::NtDeleteKey(key.get()));
}

LSTATUS QueryValue(HKEY key, std::u16string_view name, platform::RegistryValue& value) {
  if (name.size() > kMaxNameUnits) return ERROR_INVALID_PARAMETER;
  CountedName counted(name);
  std::vector<std::uint8_t> buffer(sizeof(PartialInformation) + 256);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status =
        ::NtQueryValueKey(key, counted.get(), kKeyValuePartialInformation, buffer.data(),
                          static_cast<ULONG>(buffer.size()), &needed);
    if (status == kBufferOverflow || status == kBufferTooSmall) {
      buffer.resize(needed > buffer.size() ? needed : 2 * buffer.size());
      continue;
    }
    if (!NT_SUCCESS(status)) return ErrorOf(status);
    const auto* info = reinterpret_cast<const PartialInformation*>(buffer.data());
    value.type = info->type;
    value.data.assign(info->data, info->data + info->data_length);
    return ERROR_SUCCESS;
  }
}

LSTATUS SetValue(HKEY key, std::u16string_view name, const platform::RegistryValue& value) {
  if (name.size() > kMaxNameUnits) return ERROR_INVALID_PARAMETER;
  CountedName counted(name);
  return ErrorOf(::NtSetValueKey(key, counted.get(), 0, value.type,
                                 const_cast<std::uint8_t*>(value.data.data()),
                                 static_cast<ULONG>(value.data.size())));
}

LSTATUS DeleteValue(HKEY key, std::u16string_view name) {
  if (name.size() > kMaxNameUnits) return ERROR_INVALID_PARAMETER;
  CountedName counted(name);
  return ErrorOf(::NtDeleteValueKey(key, counted.get()));
}

}  // namespace qb::win32::nt
