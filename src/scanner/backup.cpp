#include "scanner/backup.h"

#include <cstdio>

#include "platform/utf.h"
#include "registry/registry_key.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
namespace {

namespace value_type = platform::value_type;
using platform::RegistryValue;

constexpr char kLineEnd[] = "\r\n";
// regedit breaks hex data into lines of about 80 characters.
constexpr std::size_t kHexLineWidth = 76;

std::u16string Utf16Units(const RegistryValue& value) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
    units += static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8));
  }
  return units;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string Ansi(std::string_view utf8, const AnsiEncoder& to_ansi) {
  return to_ansi(platform::Utf8ToUtf16(utf8));
}

std::string NameField(const std::string& name, const AnsiEncoder& to_ansi) {
  return name.empty() ? "@" : Quoted(Ansi(name, to_ansi));
}

// "hex:" or "hex(n):" and the bytes, continued over lines as regedit does;
// `column` is where the field starts on its line.
std::string HexField(std::string prefix, const std::vector<std::uint8_t>& bytes,
                     std::size_t column) {
  std::string text = std::move(prefix);
  std::size_t line_length = column + text.size();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
    text += hex;
    line_length += 2;
    if (i + 1 == bytes.size()) break;
    text += ',';
    if (++line_length > kHexLineWidth) {
      text += "\\";
      text += kLineEnd;
      text += "  ";
      line_length = 2;
    }
  }
  return text;
}

std::string HexPrefix(std::uint32_t type) {
  if (type == value_type::kBinary) return "hex:";
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
  return prefix;
}

// Text types become 8-bit bytes, as REGEDIT4 reads them back.
std::vector<std::uint8_t> AnsiBytes(const RegistryValue& value, const AnsiEncoder& to_ansi) {
  const std::string ansi = to_ansi(Utf16Units(value));
  return std::vector<std::uint8_t>(ansi.begin(), ansi.end());
}

// A plain string that "..." holds exactly: terminated once, no zero inside
// and no line break, which a quoted REGEDIT4 value cannot carry.
bool FitsQuotes(const std::u16string& units) {
  if (units.empty() || units.back() != u'\0') return false;
  for (std::size_t i = 0; i + 1 < units.size(); ++i) {
    if (units[i] == u'\0' || units[i] == u'\r' || units[i] == u'\n') return false;
  }
  return true;
}

std::string DataField(const RegistryValue& value, const AnsiEncoder& to_ansi, std::size_t column) {
  switch (value.type) {
    case value_type::kString: {
      const std::u16string units = Utf16Units(value);
      if (value.data.size() % 2 == 0 && FitsQuotes(units)) {
        return Quoted(to_ansi(std::u16string_view(units).substr(0, units.size() - 1)));
      }
      return HexField(HexPrefix(value.type), AnsiBytes(value, to_ansi), column);
    }
    case value_type::kDword:
      if (value.data.size() == 4) {
        char dword[16];
        std::snprintf(dword, sizeof dword, "dword:%08x", platform::DwordValueNumber(value));
        return dword;
      }
      break;
    case value_type::kExpandString:
    case value_type::kMultiString:
      if (value.data.size() % 2 == 0)
        return HexField(HexPrefix(value.type), AnsiBytes(value, to_ansi), column);
      break;
    default:
      break;
  }
  return HexField(HexPrefix(value.type), value.data, column);
}

void AppendKey(std::string& text, registry::RegistryKey& key, const std::string& path,
               const std::string& line_name, const AnsiEncoder& to_ansi) {
  text += "[" + Ansi(line_name, to_ansi) + "]" + kLineEnd;
  const bool opened = key.OpenKey("\\" + path, false);
  std::vector<std::string> subkeys;
  if (opened) {
    for (const std::string& name : key.ValueNames()) {
      const RegistryValue value = key.ReadValue(name);
      const std::string field = NameField(name, to_ansi) + "=";
      text += field + DataField(value, to_ansi, field.size()) + kLineEnd;
    }
    subkeys = key.SubkeyNames();
  }
  text += kLineEnd;
  for (const std::string& subkey : subkeys) {
    AppendKey(text, key, path + "\\" + subkey, line_name + "\\" + subkey, to_ansi);
  }
}

}  // namespace

std::string BackupBaseName(const platform::LocalTime& time) {
  std::string name = "B";
  for (int part : {time.year, time.month, time.day, time.hour, time.minute, time.second}) {
    name += std::to_string(part);
  }
  return name;
}

std::string BackupFileName(std::string_view base_name, int attempt) {
  std::string name(base_name);
  if (attempt > 1) name += "-" + std::to_string(attempt);
  return name + ".reg";
}

std::string BackupText(platform::RegistryBackend& registry, const std::vector<std::string>& clsids,
                       const AnsiEncoder& to_ansi) {
  std::string text = std::string("REGEDIT4") + kLineEnd + kLineEnd;
  registry::RegistryKey key(registry, platform::RegistryRoot::LocalMachine);
  for (const std::string& clsid : clsids) {
    AppendKey(text, key, RemovedKeyPath(clsid), BackupKeyName(clsid), to_ansi);
  }
  return text;
}

}  // namespace qb::scanner
