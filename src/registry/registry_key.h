#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_backend.h"

namespace qb::registry {

using platform::KeyAccess;
using platform::RegistryRoot;
using platform::RegistryStatus;
using platform::RegistryValue;

// A path without leading and trailing "\".
std::string TrimSeparators(std::string_view path);
std::u16string TrimSeparators(std::u16string_view path);

// The registry key object: a root, at most one open key and its path.
//
// Path rule: a path that begins with "\" starts at the root; any other path
// starts at the open key if there is one, else at the root.
//
// A failed open returns false. Every other failure throws qb::Error with one of
// the registry messages the user may see: "Failed to create key %s",
// "Failed to set data for '%s'", "Failed to get data for '%s'",
// "Invalid data type for '%s'".
class RegistryKey {
 public:
  // In the program's own view of the registry, or in `view`.
  explicit RegistryKey(platform::RegistryBackend& backend,
                       RegistryRoot root = RegistryRoot::CurrentUser);
  RegistryKey(platform::RegistryBackend& backend, RegistryRoot root, platform::RegistryView view);
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Changing the root closes the open key.
  void SetRoot(RegistryRoot root);
  RegistryRoot root() const { return root_; }

  // Opens `path` and makes it the open key, closing the previous one. Opening
  // for reading only is the default; `can_create` creates the key if absent
  // and always asks for read and write access.
  bool OpenKey(std::string_view path, bool can_create, KeyAccess access = KeyAccess::Read);
  bool OpenKey(std::u16string_view path, bool can_create, KeyAccess access = KeyAccess::Read);
  // Makes the open key's direct subkey of exactly this name the open key;
  // false, with the open key unchanged, when it cannot be opened.
  bool OpenSubkey(std::u16string_view name, KeyAccess access = KeyAccess::Read);
  // Opens for reading and writing, creating the key if absent; throws
  // "Failed to create key %s" when it cannot.
  void CreateKey(std::string_view path);
  void CreateKey(std::u16string_view path);
  void CloseKey();
  bool HasOpenKey() const { return key_ != nullptr; }
  // Path of the open key from the root, without a leading "\".
  std::string CurrentPath() const;

  // The absolute path (from the root, no leading "\") that `path` names.
  std::u16string ResolvePath(std::u16string_view path) const;

  bool ValueExists(std::string_view name);
  std::vector<std::u16string> SubkeyNames();
  std::vector<platform::NamedValue> Values();
  // The value as stored; throws "Failed to get data for '%s'" when absent.
  RegistryValue ReadValue(std::string_view name);
  void WriteValue(std::string_view name, const RegistryValue& value);
  void WriteValue(std::u16string_view name, const RegistryValue& value);

  // Deletes the key with everything below it, each subkey's own subkeys first
  // (see platform::DeleteKeyTree). A key that does not exist is no error;
  // one that stays throws "Failed to delete key %s (why)".
  void DeleteKey(std::string_view path);
  // A missing value is no error.
  void DeleteValue(std::string_view name);

  // Absent or empty: "". REG_SZ and REG_EXPAND_SZ: the text up to the first
  // zero, not expanded. Any other type: "Invalid data type for '%s'".
  std::string ReadString(std::string_view name);
  // The same text, with whether Windows expands it where it is used
  // (REG_EXPAND_SZ).
  struct Text {
    std::string text;
    bool expandable = false;
  };
  Text ReadText(std::string_view name);
  // REG_DWORD only.
  std::int32_t ReadInteger(std::string_view name);
  // REG_BINARY of 8 bytes: an IEEE double counting days since 1899-12-30.
  double ReadDateTime(std::string_view name);

  void WriteString(std::string_view name, std::string_view text);  // REG_SZ
  void WriteInteger(std::string_view name, std::int32_t number);   // REG_DWORD
  void WriteDateTime(std::string_view name, double days);          // REG_BINARY

 private:
  RegistryStatus ReadRaw(std::string_view name, RegistryValue& value);

  platform::RegistryBackend& backend_;
  RegistryRoot root_;
  platform::RegistryView view_;
  std::unique_ptr<platform::OpenRegistryKey> key_;
  std::u16string path_;
};

}  // namespace qb::registry
