#include "registry/registry_key.h"

#include <cstring>

#include "platform/error.h"
#include "platform/key_tree.h"
#include "platform/utf.h"

namespace qb::registry {
namespace {

using platform::RegistryStatusKind;
namespace value_type = platform::value_type;

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

std::string Quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

template <typename Char>
std::basic_string<Char> Trimmed(std::basic_string_view<Char> path) {
  while (!path.empty() && path.front() == Char('\\')) path.remove_prefix(1);
  while (!path.empty() && path.back() == Char('\\')) path.remove_suffix(1);
  return std::basic_string<Char>(path);
}

[[noreturn]] void ThrowGetData(std::string_view name) {
  throw Error("Failed to get data for " + Quoted(name));
}

[[noreturn]] void ThrowInvalidType(std::string_view name) {
  throw Error("Invalid data type for " + Quoted(name));
}

}  // namespace

std::string TrimSeparators(std::string_view path) { return Trimmed(path); }

std::u16string TrimSeparators(std::u16string_view path) { return Trimmed(path); }

RegistryKey::RegistryKey(platform::RegistryBackend& backend, RegistryRoot root)
    : RegistryKey(backend, root, backend.native_view()) {}

RegistryKey::RegistryKey(platform::RegistryBackend& backend, RegistryRoot root,
                         platform::RegistryView view)
    : backend_(backend), root_(root), view_(view) {}

RegistryKey::~RegistryKey() = default;

void RegistryKey::SetRoot(RegistryRoot root) {
  CloseKey();
  root_ = root;
}

std::u16string RegistryKey::ResolvePath(std::u16string_view path) const {
  const bool from_root = !path.empty() && path.front() == u'\\';
  const std::u16string relative = TrimSeparators(path);
  if (from_root || !key_ || path_.empty()) return relative;
  return relative.empty() ? path_ : path_ + u"\\" + relative;
}

std::string RegistryKey::CurrentPath() const { return Utf16ToUtf8(path_); }

bool RegistryKey::OpenKey(std::string_view path, bool can_create, KeyAccess access) {
  return OpenKey(Utf8ToUtf16(path), can_create, access);
}

bool RegistryKey::OpenSubkey(std::u16string_view name, KeyAccess access) {
  if (!key_) return false;
  RegistryStatus status;
  auto key = key_->OpenSubkey(name, access, status);
  if (!key) return false;
  key_ = std::move(key);
  path_ = path_.empty() ? std::u16string(name) : path_ + u"\\" + std::u16string(name);
  return true;
}

bool RegistryKey::OpenKey(std::u16string_view path, bool can_create, KeyAccess access) {
  const std::u16string absolute = ResolvePath(path);
  RegistryStatus status;
  auto key = can_create ? backend_.Create(root_, view_, absolute, status)
                        : backend_.Open(root_, view_, absolute, access, status);
  if (!key) return false;
  key_ = std::move(key);
  path_ = absolute;
  return true;
}

void RegistryKey::CreateKey(std::string_view path) { CreateKey(Utf8ToUtf16(path)); }

void RegistryKey::CreateKey(std::u16string_view path) {
  const std::u16string absolute = ResolvePath(path);
  if (!OpenKey(u"\\" + absolute, true)) {
    throw Error("Failed to create key " + Utf16ToUtf8(absolute));
  }
}

void RegistryKey::CloseKey() {
  key_.reset();
  path_.clear();
}

RegistryStatus RegistryKey::ReadRaw(std::string_view name, RegistryValue& value) {
  if (!key_) return RegistryStatus{RegistryStatusKind::Failed, 0};
  return key_->Read(Utf8ToUtf16(name), value);
}

bool RegistryKey::ValueExists(std::string_view name) {
  RegistryValue value;
  return ReadRaw(name, value).ok();
}

std::vector<std::u16string> RegistryKey::SubkeyNames() {
  return key_ ? key_->SubkeyNames() : std::vector<std::u16string>{};
}

std::vector<platform::NamedValue> RegistryKey::Values() {
  return key_ ? key_->Values() : std::vector<platform::NamedValue>{};
}

RegistryValue RegistryKey::ReadValue(std::string_view name) {
  RegistryValue value;
  if (!ReadRaw(name, value).ok()) ThrowGetData(name);
  return value;
}

void RegistryKey::WriteValue(std::string_view name, const RegistryValue& value) {
  WriteValue(Utf8ToUtf16(name), value);
}

void RegistryKey::WriteValue(std::u16string_view name, const RegistryValue& value) {
  if (!key_ || !key_->Write(name, value).ok()) {
    throw Error("Failed to set data for " + Quoted(Utf16ToUtf8(name)));
  }
}

void RegistryKey::DeleteKey(std::string_view path) {
  const std::u16string absolute = ResolvePath(Utf8ToUtf16(path));
  RegistryStatus status{RegistryStatusKind::AccessDenied, 0};
  if (!absolute.empty()) {
    if (key_ && absolute == path_) CloseKey();
    const std::size_t last = absolute.rfind(u'\\');
    const std::u16string parent_path =
        last == std::u16string::npos ? u"" : absolute.substr(0, last);
    const auto parent = backend_.Open(root_, view_, parent_path, KeyAccess::Read, status);
    if (parent) status = DeleteKeyTree(*parent, std::u16string_view(absolute).substr(last + 1));
  }
  if (!status.ok() && status.kind != RegistryStatusKind::NotFound) {
    throw Error("Failed to delete key " + Utf16ToUtf8(absolute) + " (" +
                platform::DescribeRegistryStatus(status) + ")");
  }
}

void RegistryKey::DeleteValue(std::string_view name) {
  if (key_) key_->DeleteValue(Utf8ToUtf16(name));
}

std::string RegistryKey::ReadString(std::string_view name) { return ReadText(name).text; }

RegistryKey::Text RegistryKey::ReadText(std::string_view name) {
  RegistryValue value;
  const RegistryStatus status = ReadRaw(name, value);
  if (status.kind == RegistryStatusKind::NotFound) return {};
  if (!status.ok()) ThrowGetData(name);
  if (value.type != value_type::kString && value.type != value_type::kExpandString) {
    if (value.data.empty()) return {};
    ThrowInvalidType(name);
  }
  return {platform::StringValueText(value), value.type == value_type::kExpandString};
}

std::int32_t RegistryKey::ReadInteger(std::string_view name) {
  const RegistryValue value = ReadValue(name);
  if (value.type != value_type::kDword || value.data.size() != 4) ThrowInvalidType(name);
  return static_cast<std::int32_t>(platform::DwordValueNumber(value));
}

double RegistryKey::ReadDateTime(std::string_view name) {
  const RegistryValue value = ReadValue(name);
  if (value.type != value_type::kBinary || value.data.size() != sizeof(double)) {
    ThrowInvalidType(name);
  }
  double days = 0;
  std::memcpy(&days, value.data.data(), sizeof days);
  return days;
}

void RegistryKey::WriteString(std::string_view name, std::string_view text) {
  WriteValue(name, platform::MakeStringValue(text));
}

void RegistryKey::WriteInteger(std::string_view name, std::int32_t number) {
  WriteValue(name, platform::MakeDwordValue(static_cast<std::uint32_t>(number)));
}

void RegistryKey::WriteDateTime(std::string_view name, double days) {
  RegistryValue value{value_type::kBinary, std::vector<std::uint8_t>(sizeof days)};
  std::memcpy(value.data.data(), &days, sizeof days);
  WriteValue(name, value);
}

}  // namespace qb::registry
