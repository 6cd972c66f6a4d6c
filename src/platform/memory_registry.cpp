#include "platform/memory_registry.h"

#include <algorithm>

namespace qb::platform {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Fold(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), FoldAscii);
  return out;
}

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

constexpr RegistryStatus Status(RegistryStatusKind kind) { return RegistryStatus{kind, 0}; }

}  // namespace

struct MemoryRegistry::Node {
  std::string name;
  std::map<std::string, std::shared_ptr<Node>> children;  // by folded name
  std::vector<std::pair<std::string, RegistryValue>> values;
  bool deleted = false;

  std::vector<std::pair<std::string, RegistryValue>>::iterator FindValue(std::string_view value) {
    const std::string folded = Fold(value);
    return std::find_if(values.begin(), values.end(),
                        [&](const auto& entry) { return Fold(entry.first) == folded; });
  }
};

namespace {

class MemoryKey final : public OpenRegistryKey {
 public:
  MemoryKey(std::shared_ptr<MemoryRegistry::Node> node, KeyAccess access)
      : node_(std::move(node)), access_(access) {}

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& [folded, child] : node_->children) names.push_back(child->name);
    return names;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& [name, value] : node_->values) names.push_back(name);
    return names;
  }

  RegistryStatus Read(std::string_view name, RegistryValue& value) override {
    if (node_->deleted) return Status(RegistryStatusKind::Failed);
    const auto it = node_->FindValue(name);
    if (it == node_->values.end()) return Status(RegistryStatusKind::NotFound);
    value = it->second;
    return RegistryStatus::Ok();
  }

  RegistryStatus Write(std::string_view name, const RegistryValue& value) override {
    if (access_ != KeyAccess::ReadWrite) return Status(RegistryStatusKind::AccessDenied);
    if (node_->deleted) return Status(RegistryStatusKind::Failed);
    const auto it = node_->FindValue(name);
    if (it == node_->values.end()) {
      node_->values.emplace_back(std::string(name), value);
    } else {
      it->second = value;
    }
    return RegistryStatus::Ok();
  }

  RegistryStatus DeleteValue(std::string_view name) override {
    if (access_ != KeyAccess::ReadWrite) return Status(RegistryStatusKind::AccessDenied);
    const auto it = node_->FindValue(name);
    if (it == node_->values.end()) return Status(RegistryStatusKind::NotFound);
    node_->values.erase(it);
    return RegistryStatus::Ok();
  }

 private:
  std::shared_ptr<MemoryRegistry::Node> node_;
  KeyAccess access_;
};

}  // namespace

MemoryRegistry::MemoryRegistry() {
  for (RegistryRoot root :
       {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot}) {
    roots_[root] = std::make_shared<Node>();
  }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Find(RegistryRoot root, std::string_view path) const {
  Node* node = roots_.at(root).get();
  for (const std::string& part : SplitPath(path)) {
    const auto it = node->children.find(Fold(part));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::FindOrCreate(RegistryRoot root, std::string_view path) {
  Node* node = roots_.at(root).get();
  for (const std::string& part : SplitPath(path)) {
    auto& child = node->children[Fold(part)];
    if (!child) {
      child = std::make_shared<Node>();
      child->name = part;
    }
    node = child.get();
  }
  return node;
}

bool MemoryRegistry::IsProtected(RegistryRoot root, std::string_view path) const {
  const std::vector<std::string> parts = SplitPath(path);
  for (const auto& [protected_root, protected_parts] : protected_) {
    if (protected_root != root || protected_parts.size() > parts.size()) continue;
    if (std::equal(protected_parts.begin(), protected_parts.end(), parts.begin(),
                   [](const std::string& a, const std::string& b) { return Fold(a) == Fold(b); })) {
      return true;
    }
  }
  return false;
}

std::unique_ptr<OpenRegistryKey> MemoryRegistry::Open(RegistryRoot root, std::string_view path,
                                                      KeyAccess access, RegistryStatus& status) {
  if (!Find(root, path)) {
    status = Status(RegistryStatusKind::NotFound);
    return nullptr;
  }
  if (access == KeyAccess::ReadWrite && IsProtected(root, path)) {
    status = Status(RegistryStatusKind::AccessDenied);
    return nullptr;
  }
  // Find the owning pointer again through the parent so the handle keeps the
  // node alive after a delete, as a real handle does.
  std::shared_ptr<Node> node = roots_.at(root);
  for (const std::string& part : SplitPath(path)) node = node->children.at(Fold(part));
  status = RegistryStatus::Ok();
  return std::make_unique<MemoryKey>(std::move(node), access);
}

std::unique_ptr<OpenRegistryKey> MemoryRegistry::Create(RegistryRoot root, std::string_view path,
                                                        RegistryStatus& status) {
  if (IsProtected(root, path)) {
    status = Status(RegistryStatusKind::AccessDenied);
    return nullptr;
  }
  FindOrCreate(root, path);
  return Open(root, path, KeyAccess::ReadWrite, status);
}

RegistryStatus MemoryRegistry::DeleteKey(RegistryRoot root, std::string_view path) {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty()) return Status(RegistryStatusKind::AccessDenied);
  Node* node = Find(root, path);
  if (!node) return Status(RegistryStatusKind::NotFound);
  if (IsProtected(root, path)) return Status(RegistryStatusKind::AccessDenied);
  if (!node->children.empty()) return Status(RegistryStatusKind::AccessDenied);
  const std::string leaf = Fold(parts.back());
  parts.pop_back();
  std::string parent_path;
  for (const std::string& part : parts) parent_path += part + "\\";
  Node* parent = Find(root, parent_path);
  const auto it = parent->children.find(leaf);
  it->second->deleted = true;
  parent->children.erase(it);
  return RegistryStatus::Ok();
}

void MemoryRegistry::SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                              RegistryValue value) {
  Node* node = FindOrCreate(root, path);
  const auto it = node->FindValue(name);
  if (it == node->values.end()) {
    node->values.emplace_back(std::string(name), std::move(value));
  } else {
    it->second = std::move(value);
  }
}

void MemoryRegistry::SetString(RegistryRoot root, std::string_view path, std::string_view name,
                               std::string_view text) {
  SetValue(root, path, name, MakeStringValue(text));
}

void MemoryRegistry::SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                              std::uint32_t number) {
  SetValue(root, path, name, MakeDwordValue(number));
}

void MemoryRegistry::CreateKey(RegistryRoot root, std::string_view path) {
  FindOrCreate(root, path);
}

bool MemoryRegistry::KeyExists(RegistryRoot root, std::string_view path) const {
  return Find(root, path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::GetValue(RegistryRoot root, std::string_view path,
                                                      std::string_view name) const {
  Node* node = Find(root, path);
  if (!node) return std::nullopt;
  const auto it = node->FindValue(name);
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> MemoryRegistry::ValueNamesOf(RegistryRoot root,
                                                      std::string_view path) const {
  std::vector<std::string> names;
  if (Node* node = Find(root, path)) {
    for (const auto& [name, value] : node->values) names.push_back(name);
  }
  return names;
}

void MemoryRegistry::Protect(RegistryRoot root, std::string_view path) {
  protected_.emplace_back(root, SplitPath(path));
}

}  // namespace qb::platform
