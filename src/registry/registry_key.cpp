#include "registry/registry_key.h"

#include <cstring>

#include "platform/error.h"

namespace qb::registry {
namespace {

using platform::RegistryStatusKind;
namespace value_type = platform::value_type;

std::string Quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

[[noreturn]] void ThrowGetData(std::string_view name) {
  throw Error("Failed to get data for " + Quoted(name));
}

[[noreturn]] void ThrowInvalidType(std::string_view name) {
  throw Error("Invalid data type for " + Quoted(name));
}

}  // namespace

std::string TrimSeparators(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

RegistryKey::RegistryKey(platform::RegistryBackend& backend, RegistryRoot root)
    : backend_(backend), root_(root) {}

RegistryKey::~RegistryKey() = default;

void RegistryKey::SetRoot(RegistryRoot root) {
  CloseKey();
  root_ = root;
}

std::string RegistryKey::ResolvePath(std::string_view path) const {
  const bool from_root = !path.empty() && path.front() == '\\';
  const std::string relative = TrimSeparators(path);
  if (from_root || !key_ || path_.empty()) return relative;
  return relative.empty() ? path_ : path_ + "\\" + relative;
}

bool RegistryKey::OpenKey(std::string_view path, bool can_create, KeyAccess access) {
  const std::string absolute = ResolvePath(path);
  RegistryStatus status;
  auto key = can_create ? backend_.Create(root_, absolute, status)
                        : backend_.Open(root_, absolute, access, status);
  if (!key) return false;
  key_ = std::move(key);
  path_ = absolute;
  return true;
}

void RegistryKey::CreateKey(std::string_view path) {
  const std::string absolute = ResolvePath(path);
  if (!OpenKey("\\" + absolute, true)) throw Error("Failed to create key " + absolute);
}

void RegistryKey::CloseKey() {
  key_.reset();
  path_.clear();
}

RegistryStatus RegistryKey::ReadRaw(std::string_view name, RegistryValue& value) {
  if (!key_) return RegistryStatus{RegistryStatusKind::Failed, 0};
  return key_->Read(name, value);
}

bool RegistryKey::ValueExists(std::string_view name) {
  RegistryValue value;
  return ReadRaw(name, value).ok();
}

std::vector<std::string> RegistryKey::SubkeyNames() {
  return key_ ? key_->SubkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> RegistryKey::ValueNames() {
  return key_ ? key_->ValueNames() : std::vector<std::string>{};
}

RegistryValue RegistryKey::ReadValue(std::string_view name) {
  RegistryValue value;
  if (!ReadRaw(name, value).ok()) ThrowGetData(name);
  return value;
}

void RegistryKey::WriteValue(std::string_view name, const RegistryValue& value) {
  if (!key_ || !key_->Write(name, value).ok()) {
    throw Error("Failed to set data for " + Quoted(name));
  }
}

RegistryStatus RegistryKey::DeleteTree(const std::string& absolute_path) {
  RegistryStatus status;
  auto key = backend_.Open(root_, absolute_path, KeyAccess::Read, status);
  if (!key) return status;
  RegistryStatus first_failure = RegistryStatus::Ok();
  for (const std::string& child : key->SubkeyNames()) {
    const RegistryStatus child_status = DeleteTree(absolute_path + "\\" + child);
    if (!child_status.ok() && first_failure.ok()) first_failure = child_status;
  }
  key.reset();
  const RegistryStatus own = backend_.DeleteKey(root_, absolute_path);
  return first_failure.ok() ? own : first_failure;
}

RegistryStatus RegistryKey::DeleteKey(std::string_view path) {
  const std::string absolute = ResolvePath(path);
  if (absolute.empty()) return RegistryStatus{RegistryStatusKind::AccessDenied, 0};
  if (key_ && absolute == path_) CloseKey();
  return DeleteTree(absolute);
}

void RegistryKey::DeleteValue(std::string_view name) {
  if (key_) key_->DeleteValue(name);
}

std::string RegistryKey::ReadString(std::string_view name) {
  RegistryValue value;
  const RegistryStatus status = ReadRaw(name, value);
  if (status.kind == RegistryStatusKind::NotFound) return {};
  if (!status.ok()) ThrowGetData(name);
  if (value.type != value_type::kString && value.type != value_type::kExpandString) {
    if (value.data.empty()) return {};
    ThrowInvalidType(name);
  }
  return platform::StringValueText(value);
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
