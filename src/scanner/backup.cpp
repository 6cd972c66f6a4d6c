#include "scanner/backup.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "platform/key_tree.h"
#include "platform/utf.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
namespace {

namespace value_type = platform::value_type;
using platform::RegistryValue;

constexpr char kLineEnd[] = "\r\n";
// regedit breaks hex data into lines of about 80 characters.
constexpr std::size_t kHexLineWidth = 76;

bool HasLineBreakOrNul(std::u16string_view text) {
  return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
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

bool IsTextType(std::uint32_t type) {
  return type == value_type::kString || type == value_type::kExpandString ||
         type == value_type::kMultiString;
}

// Writes the keys of one object, noting what it has to leave out.
class BackupWriter {
 public:
  explicit BackupWriter(const platform::CodePage& code_page) : code_page_(code_page) {}

  // A name that a REGEDIT4 line gives back exactly.
  bool Carries(std::u16string_view name) const {
    return !HasLineBreakOrNul(name) && code_page_.Carries(name);
  }

  void Key(platform::OpenRegistryKey* key, const std::u16string& line_name, int depth) {
    text_ += "[" + code_page_.Encode(line_name) + "]" + kLineEnd;
    std::vector<std::u16string> subkeys;
    if (key) {
      for (const platform::NamedValue& value : key->Values()) Value(value);
      subkeys = key->SubkeyNames();
    }
    text_ += kLineEnd;
    if (subkeys.empty()) return;
    if (depth >= platform::kMaxKeyDepth) {
      Omit("the keys below [" + code_page_.Encode(line_name) +
           "], deeper than the registry allows");
      return;
    }
    for (const std::u16string& name : subkeys) {
      if (!Carries(name)) {
        Omit("the subkey " + PrintableName(name) + " of [" + code_page_.Encode(line_name) +
             "] and everything below it");
        continue;
      }
      platform::RegistryStatus status;
      const auto subkey = key->OpenSubkey(name, platform::KeyAccess::Read, status);
      if (!subkey && status.kind == platform::RegistryStatusKind::NotFound) continue;
      const std::u16string subkey_line = line_name + u"\\" + name;
      if (!subkey) {
        Omit("what [" + code_page_.Encode(subkey_line) +
             "] holds: " + platform::DescribeRegistryStatus(status));
      }
      Key(subkey.get(), subkey_line, depth + 1);
    }
  }

  // An object's key, or the comment that stands for it.
  void Object(platform::OpenRegistryKey* key, const std::u16string& line_name,
              const platform::RegistryStatus& opened) {
    if (!Carries(line_name)) {
      Omit("the key " + PrintableName(line_name) + " and everything below it");
      text_ += kLineEnd;
      return;
    }
    if (!key && !opened.ok()) {
      Omit("what [" + code_page_.Encode(line_name) +
           "] holds: " + platform::DescribeRegistryStatus(opened));
    }
    Key(key, line_name, 1);
  }

  // Notes an item left out, as a comment line.
  void Omit(const std::string& what) {
    text_ += std::string(kNotBackedUp) + what + kLineEnd;
    incomplete_ = true;
  }

  std::string& text() { return text_; }
  bool incomplete() const { return incomplete_; }

 private:
  void Value(const platform::NamedValue& value) {
    if (!Carries(value.name)) {
      Omit("the value " + PrintableName(value.name));
      return;
    }
    const std::string field =
        (value.name.empty() ? "@" : Quoted(code_page_.Encode(value.name))) + "=";
    const std::optional<std::string> data = DataField(value.value, field.size());
    if (!data) {
      Omit("the text of the value " + PrintableName(value.name));
      return;
    }
    text_ += field + *data + kLineEnd;
  }

  // "text" with \ and " escaped a character at a time: regedit decodes a
  // line before it reads the escapes, so the second byte of a double-byte
  // character, 0x5C in many, must stay as it is.
  std::string Quoted(std::string_view text) const {
    std::string quoted = "\"";
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t size = code_page_.CharacterSize(text, at);
      if (size == 1 && (text[at] == '\\' || text[at] == '"')) quoted += '\\';
      quoted += text.substr(at, size);
      at += size;
    }
    return quoted + '"';
  }

  // The data as regedit writes it; nothing when REGEDIT4 cannot give it back.
  std::optional<std::string> DataField(const RegistryValue& value, std::size_t column) const {
    if (IsTextType(value.type)) {
      // REGEDIT4 reads text, also in hex form, as 8-bit characters.
      if (value.data.size() % 2 != 0) return std::nullopt;
      const std::u16string units = platform::StringValueUnits(value);
      if (!code_page_.Carries(units)) return std::nullopt;
      const bool one_line =
          !units.empty() && units.back() == u'\0' &&
          !HasLineBreakOrNul(std::u16string_view(units).substr(0, units.size() - 1));
      if (value.type == value_type::kString && one_line) {
        return Quoted(code_page_.Encode(std::u16string_view(units).substr(0, units.size() - 1)));
      }
      const std::string bytes = code_page_.Encode(units);
      return HexField(HexPrefix(value.type), {bytes.begin(), bytes.end()}, column);
    }
    if (value.type == value_type::kDword && value.data.size() == 4) {
      char dword[16];
      std::snprintf(dword, sizeof dword, "dword:%08x", platform::DwordValueNumber(value));
      return dword;
    }
    return HexField(HexPrefix(value.type), value.data, column);
  }

  const platform::CodePage& code_page_;
  std::string text_;
  bool incomplete_ = false;
};

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

BackupContent BackupText(platform::RegistryBackend& registry,
                         const std::vector<std::u16string>& clsids,
                         const platform::CodePage& code_page) {
  BackupContent content;
  content.text = std::string("REGEDIT4") + kLineEnd + kLineEnd;
  // Each view's Browser Helper Objects key, and its name where regedit finds
  // it, so that a merge brings every key back into its own view.
  struct Parent {
    std::u16string line_name;
    std::unique_ptr<platform::OpenRegistryKey> key;
  };
  std::vector<Parent> parents;
  const std::vector<platform::RegistryView> views = registry.Views();
  const std::u16string parent_path = platform::Utf8ToUtf16(kRemovedKeyParent);
  for (platform::RegistryView view : views) {
    platform::RegistryStatus status;
    const std::u16string in_view =
        views.size() > 1 ? PathInView(platform::RegistryRoot::LocalMachine, view, parent_path)
                         : parent_path;
    parents.push_back({u"HKEY_LOCAL_MACHINE\\" + in_view,
                       registry.Open(platform::RegistryRoot::LocalMachine, view, parent_path,
                                     platform::KeyAccess::Read, status)});
  }
  for (const std::u16string& clsid : clsids) {
    BackupWriter writer(code_page);
    bool written = false;
    for (const Parent& parent : parents) {
      platform::RegistryStatus status;
      const auto key =
          parent.key ? parent.key->OpenSubkey(InBraces(clsid), platform::KeyAccess::Read, status)
                     : nullptr;
      if (key || (parent.key && status.kind != platform::RegistryStatusKind::NotFound)) {
        writer.Object(key.get(), parent.line_name + u"\\" + InBraces(clsid), status);
        written = true;
      }
    }
    // A key that is gone still gets its line, as the program's own view names it.
    if (!written) {
      writer.Object(nullptr, parents.front().line_name + u"\\" + InBraces(clsid),
                    platform::RegistryStatus::Ok());
    }
    content.text += writer.text();
    if (writer.incomplete()) content.incomplete.push_back(clsid);
  }
  return content;
}

std::string PrintableName(std::u16string_view name) {
  std::string text = "\"";
  for (char16_t unit : name) {
    char escaped[8];
    if (unit == u'\\' || unit == u'"') {
      text += '\\';
      text += static_cast<char>(unit);
    } else if (unit == u'\r') {
      text += "\\r";
    } else if (unit == u'\n') {
      text += "\\n";
    } else if (unit == u'\0') {
      text += "\\0";
    } else if (unit < 0x20 || unit == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(unit));
      text += escaped;
    } else if (unit > 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      text += escaped;
    } else {
      text += static_cast<char>(unit);
    }
  }
  return text + '"';
}

}  // namespace qb::scanner
