#include "registry/ini_store.h"

#include <limits>

namespace qb::registry {
namespace {

int DigitValue(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

}  // namespace

std::optional<std::int32_t> ParseIntegerText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // The magnitude may reach 2^31 for the most negative value.
  const std::int64_t limit =
      std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

IniStore::IniStore(platform::RegistryBackend& backend, RegistryRoot root, std::string_view key_path)
    : backend_(backend), root_(root) {
  RegistryKey key(backend_, root_);
  key.CreateKey("\\" + std::string(key_path));
  key_path_ = key.CurrentPath();
}

IniStore::IniStore(platform::RegistryBackend& backend, RegistryRoot root)
    : backend_(backend), root_(root) {}

std::string IniStore::SectionPath(std::string_view section) const {
  const std::string relative = TrimSeparators(section);
  if (key_path_.empty()) return relative;
  return relative.empty() ? key_path_ : key_path_ + "\\" + relative;
}

bool IniStore::OpenSection(RegistryKey& key, std::string_view section) const {
  return key.OpenKey("\\" + SectionPath(section), false);
}

std::string IniStore::ReadString(std::string_view section, std::string_view name,
                                 std::string_view fallback) {
  RegistryKey key(backend_, root_);
  if (!OpenSection(key, section) || !key.ValueExists(name)) return std::string(fallback);
  return key.ReadString(name);
}

std::int32_t IniStore::ReadInteger(std::string_view section, std::string_view name,
                                   std::int32_t fallback) {
  RegistryKey key(backend_, root_);
  if (!OpenSection(key, section) || !key.ValueExists(name)) return fallback;
  return ParseIntegerText(key.ReadString(name)).value_or(fallback);
}

bool IniStore::ReadBool(std::string_view section, std::string_view name, bool fallback) {
  return ReadInteger(section, name, fallback ? 1 : 0) != 0;
}

void IniStore::WriteString(std::string_view section, std::string_view name, std::string_view text) {
  RegistryKey key(backend_, root_);
  key.CreateKey("\\" + SectionPath(section));
  key.WriteString(name, text);
}

void IniStore::WriteInteger(std::string_view section, std::string_view name, std::int32_t number) {
  WriteString(section, name, std::to_string(number));
}

void IniStore::WriteBool(std::string_view section, std::string_view name, bool flag) {
  WriteString(section, name, flag ? "1" : "0");
}

void IniStore::DeleteValue(std::string_view section, std::string_view name) {
  RegistryKey key(backend_, root_);
  if (key.OpenKey("\\" + SectionPath(section), false, KeyAccess::ReadWrite)) key.DeleteValue(name);
}

void IniStore::EraseSection(std::string_view section) {
  RegistryKey key(backend_, root_);
  key.DeleteKey("\\" + SectionPath(section));
}

}  // namespace qb::registry
