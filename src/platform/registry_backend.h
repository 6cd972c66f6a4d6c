#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The seam between the registry rules of the program and the registry that
// stores the keys: one Win32 implementation, one in memory for native tests.
//
// Names are UTF-16 exactly as the registry keeps them, with their length:
// they may hold any unit, a NUL or an unpaired surrogate included, since the
// programs that write these keys use such names to hide. A name is never cut
// or converted on its way from enumeration to open, read and delete. Paths
// are names joined by "\", relative to the root.
namespace qb::platform {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

// On 64-bit Windows the machine's software and classes keys have a second,
// 32-bit view, which 32-bit programs (a 32-bit browser among them) see:
// the keys under "Wow6432Node". The user's keys look the same in both.
enum class RegistryView { k64, k32 };

// "64-bit" or "32-bit".
const char* ViewName(RegistryView view);

// Where a view keeps a key, as a path of the 64-bit view: in the 32-bit
// view "SOFTWARE\X" of the machine is "SOFTWARE\Wow6432Node\X", and "CLSID\X"
// of the classes is "Wow6432Node\CLSID\X". Other paths and views are
// unchanged.
std::u16string PathInView(RegistryRoot root, RegistryView view, std::u16string_view path);

// The registry's limits, as Windows documents them: key names of at most
// 255 characters, value names of at most 16,383, keys at most 512 levels
// deep, and at most 32 levels created by one call.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr int kMaxKeyLevels = 512;
inline constexpr int kMaxLevelsCreatedAtOnce = 32;

// What an open key may be used for. Reading never asks for more than it needs,
// so a user without administrator rights can still list and read HKLM keys.
enum class KeyAccess { Read, ReadWrite };

// Value types, numerically identical to the REG_* constants of Windows.
namespace value_type {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kString = 1;
inline constexpr std::uint32_t kExpandString = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kDwordBigEndian = 5;
inline constexpr std::uint32_t kLink = 6;
inline constexpr std::uint32_t kMultiString = 7;
inline constexpr std::uint32_t kQword = 11;
}  // namespace value_type

// A value as the registry stores it. String data is UTF-16LE, as Windows
// keeps it, normally with its terminating zero.
struct RegistryValue {
  std::uint32_t type = value_type::kNone;
  std::vector<std::uint8_t> data;

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// The UTF-16LE data Windows stores for `text`, terminating zero included.
RegistryValue MakeStringValue(std::string_view text, std::uint32_t type = value_type::kString);
RegistryValue MakeStringValue(std::u16string_view text, std::uint32_t type = value_type::kString);
// The UTF-16 units of string data, all of them; an odd last byte is dropped.
std::u16string StringValueUnits(const RegistryValue& value);
// The text of string data, up to its first zero.
std::string StringValueText(const RegistryValue& value);
RegistryValue MakeDwordValue(std::uint32_t number);
// The little-endian number of 4-byte data; 0 for data of another size.
std::uint32_t DwordValueNumber(const RegistryValue& value);

enum class RegistryStatusKind { Ok, NotFound, AccessDenied, Failed };

struct RegistryStatus {
  RegistryStatusKind kind = RegistryStatusKind::Ok;
  std::uint32_t system_code = 0;  // the platform's own error code, 0 if none

  bool ok() const { return kind == RegistryStatusKind::Ok; }
  static RegistryStatus Ok() { return {}; }
};

// A short, lower-case phrase for the user: "access is denied", ...
std::string DescribeRegistryStatus(const RegistryStatus& status);

// A value's name and what it holds, as an enumeration gives them.
struct NamedValue {
  std::u16string name;  // "" is the default value
  RegistryValue value;

  friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

class OpenRegistryKey {
 public:
  virtual ~OpenRegistryKey() = default;

  // Names of the direct subkeys, in the registry's enumeration order.
  virtual std::vector<std::u16string> SubkeyNames() = 0;
  // The values with their names, in the registry's enumeration order.
  virtual std::vector<NamedValue> Values() = 0;
  virtual RegistryStatus Read(std::u16string_view name, RegistryValue& value) = 0;
  virtual RegistryStatus Write(std::u16string_view name, const RegistryValue& value) = 0;
  virtual RegistryStatus DeleteValue(std::u16string_view name) = 0;
  // The direct subkey of exactly this name; null with the reason in `status`.
  virtual std::unique_ptr<OpenRegistryKey> OpenSubkey(std::u16string_view name, KeyAccess access,
                                                      RegistryStatus& status) = 0;
  // Deletes the direct subkey of exactly this name, which must have no
  // subkeys of its own.
  virtual RegistryStatus DeleteSubkey(std::u16string_view name) = 0;
};

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // The views this machine has, the program's own first: two on 64-bit
  // Windows, one where there is no 32-bit view of its own.
  virtual std::vector<RegistryView> Views() const = 0;
  // Opens an existing key; null with the reason in `status` when it cannot.
  virtual std::unique_ptr<OpenRegistryKey> Open(RegistryRoot root, RegistryView view,
                                                std::u16string_view path, KeyAccess access,
                                                RegistryStatus& status) = 0;
  // Opens a key for reading and writing, creating it and its missing parents.
  virtual std::unique_ptr<OpenRegistryKey> Create(RegistryRoot root, RegistryView view,
                                                  std::u16string_view path,
                                                  RegistryStatus& status) = 0;

  RegistryView native_view() const { return Views().front(); }
};

}  // namespace qb::platform
