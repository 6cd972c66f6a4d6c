#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_key.h"

namespace qb::registry {

// Integer text as the store reads it: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x" or "0x". Empty text,
// anything else and values outside the signed 32-bit range give nullopt.
std::optional<std::int32_t> ParseIntegerText(std::string_view text);

// The INI-style store: sections are subkeys of the store's key (an empty
// section is the key itself), names are values. A store made without a key
// resolves sections from the root.
//
// Everything is stored as REG_SZ text: integers in decimal, flags as "1" or
// "0". Every read gives the default when the section cannot be opened or the
// value is absent; a value of a non-string type throws
// "Invalid data type for '%s'".
class IniStore {
 public:
  // Opens `key_path`, creating it if absent; throws "Failed to create key %s".
  IniStore(platform::RegistryBackend& backend, RegistryRoot root, std::string_view key_path);
  // A store without a key of its own.
  IniStore(platform::RegistryBackend& backend, RegistryRoot root);

  std::string ReadString(std::string_view section, std::string_view name,
                         std::string_view fallback);
  std::int32_t ReadInteger(std::string_view section, std::string_view name, std::int32_t fallback);
  bool ReadBool(std::string_view section, std::string_view name, bool fallback);

  void WriteString(std::string_view section, std::string_view name, std::string_view text);
  void WriteInteger(std::string_view section, std::string_view name, std::int32_t number);
  void WriteBool(std::string_view section, std::string_view name, bool flag);

  // A missing value is no error.
  void DeleteValue(std::string_view section, std::string_view name);
  // Deletes the section's key with everything below it.
  void EraseSection(std::string_view section);

 private:
  std::string SectionPath(std::string_view section) const;
  // Opens the section for reading; false when it cannot be opened.
  bool OpenSection(RegistryKey& key, std::string_view section) const;

  platform::RegistryBackend& backend_;
  RegistryRoot root_;
  std::string key_path_;
};

}  // namespace qb::registry
