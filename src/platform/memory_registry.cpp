#include "platform/memory_registry.h"

#include <algorithm>
#include <optional>

#include "platform/utf.h"

namespace qb::platform {
namespace {

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c; }

std::u16string Fold(std::u16string_view text) {
  std::u16string out(text);
  std::transform(out.begin(), out.end(), out.begin(), FoldAscii);
  return out;
}

std::vector<std::u16string> SplitPath(std::u16string_view path) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The names of a path as the registry reads them; nothing for a path it
// refuses: one with an empty name (a doubled or trailing "\") or a name
// over 255 characters. Windows refuses both (a doubled "\" can slip
// through its cache of open keys); Wine 8 passes both, collapsing the "\".
std::optional<std::vector<std::u16string>> PathNames(std::u16string_view path) {
  std::vector<std::u16string> names;
  if (path.empty()) return names;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    const std::u16string_view name = path.substr(start, end - start);
    if (name.empty() || name.size() > kMaxKeyNameLength) return std::nullopt;
    names.emplace_back(name);
    if (end == path.size()) return names;
    start = end + 1;
  }
}

constexpr RegistryStatus Status(RegistryStatusKind kind) { return RegistryStatus{kind, 0}; }

}  // namespace

struct MemoryRegistry::Node {
  std::u16string name;
  std::map<std::u16string, std::shared_ptr<Node>> children;  // by folded name
  std::vector<NamedValue> values;
  bool is_protected = false;
  bool deleted = false;

  std::shared_ptr<Node> Child(std::u16string_view child_name) const {
    const auto it = children.find(Fold(child_name));
    return it == children.end() ? nullptr : it->second;
  }

  std::shared_ptr<Node>& AddChild(std::u16string_view child_name) {
    std::shared_ptr<Node>& child = children[Fold(child_name)];
    if (!child) {
      child = std::make_shared<Node>();
      child->name = child_name;
      child->is_protected = is_protected;
    }
    return child;
  }

  std::vector<NamedValue>::iterator FindValue(std::u16string_view value_name) {
    const std::u16string folded = Fold(value_name);
    return std::find_if(values.begin(), values.end(),
                        [&](const NamedValue& entry) { return Fold(entry.name) == folded; });
  }

  void SetValue(std::u16string_view value_name, RegistryValue value) {
    const auto it = FindValue(value_name);
    if (it == values.end()) {
      values.push_back({std::u16string(value_name), std::move(value)});
    } else {
      it->value = std::move(value);
    }
  }

  void ProtectTree() {
    is_protected = true;
    for (auto& [folded, child] : children) child->ProtectTree();
  }
};

namespace {

class MemoryKey final : public OpenRegistryKey {
 public:
  MemoryKey(std::shared_ptr<MemoryRegistry::Node> node, KeyAccess access,
            const RegistryStatus& failing_delete, std::size_t& value_writes)
      : node_(std::move(node)),
        access_(access),
        failing_delete_(failing_delete),
        value_writes_(value_writes) {}

  std::vector<std::u16string> SubkeyNames() override {
    std::vector<std::u16string> names;
    if (node_->deleted) return names;
    for (const auto& [folded, child] : node_->children) names.push_back(child->name);
    return names;
  }

  std::vector<NamedValue> Values() override {
    if (node_->deleted) return {};
    return node_->values;
  }

  RegistryStatus Read(std::u16string_view name, RegistryValue& value) override {
    if (node_->deleted) return Status(RegistryStatusKind::Failed);
    const auto it = node_->FindValue(name);
    if (it == node_->values.end()) return Status(RegistryStatusKind::NotFound);
    value = it->value;
    return RegistryStatus::Ok();
  }

  RegistryStatus Write(std::u16string_view name, const RegistryValue& value) override {
    if (access_ != KeyAccess::ReadWrite) return Status(RegistryStatusKind::AccessDenied);
    // Windows and Wine alike refuse a longer name (ERROR_INVALID_PARAMETER).
    if (name.size() > kMaxValueNameLength) return Status(RegistryStatusKind::Failed);
    if (node_->deleted) return Status(RegistryStatusKind::Failed);
    node_->SetValue(name, value);
    ++value_writes_;
    return RegistryStatus::Ok();
  }

  RegistryStatus DeleteValue(std::u16string_view name) override {
    if (access_ != KeyAccess::ReadWrite) return Status(RegistryStatusKind::AccessDenied);
    const auto it = node_->FindValue(name);
    if (it == node_->values.end()) return Status(RegistryStatusKind::NotFound);
    node_->values.erase(it);
    return RegistryStatus::Ok();
  }

  std::unique_ptr<OpenRegistryKey> OpenSubkey(std::u16string_view name, KeyAccess access,
                                              RegistryStatus& status) override {
    std::shared_ptr<MemoryRegistry::Node> child = node_->deleted ? nullptr : node_->Child(name);
    if (!child) {
      status = Status(RegistryStatusKind::NotFound);
      return nullptr;
    }
    if (access == KeyAccess::ReadWrite && child->is_protected) {
      status = Status(RegistryStatusKind::AccessDenied);
      return nullptr;
    }
    status = RegistryStatus::Ok();
    return std::make_unique<MemoryKey>(std::move(child), access, failing_delete_, value_writes_);
  }

  RegistryStatus DeleteSubkey(std::u16string_view name) override {
    const std::shared_ptr<MemoryRegistry::Node> child = node_->Child(name);
    if (!child) return Status(RegistryStatusKind::NotFound);
    if (child->is_protected || !child->children.empty()) {
      return Status(RegistryStatusKind::AccessDenied);
    }
    if (!failing_delete_.ok()) return failing_delete_;
    child->deleted = true;
    node_->children.erase(Fold(name));
    return RegistryStatus::Ok();
  }

 private:
  std::shared_ptr<MemoryRegistry::Node> node_;
  KeyAccess access_;
  const RegistryStatus& failing_delete_;
  std::size_t& value_writes_;
};

}  // namespace

MemoryRegistry::MemoryRegistry(bool two_views) : two_views_(two_views) {
  for (RegistryRoot root :
       {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot}) {
    roots_[root] = std::make_shared<Node>();
  }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Find(RegistryRoot root, std::u16string_view path) const {
  Node* node = roots_.at(root).get();
  for (const std::u16string& part : SplitPath(path)) {
    node = node->Child(part).get();
    if (!node) return nullptr;
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::FindOrCreate(RegistryRoot root, std::u16string_view path) {
  Node* node = roots_.at(root).get();
  for (const std::u16string& part : SplitPath(path)) node = node->AddChild(part).get();
  return node;
}

std::vector<RegistryView> MemoryRegistry::Views() const {
  if (two_views_) return {RegistryView::k64, RegistryView::k32};
  return {RegistryView::k64};
}

std::u16string MemoryRegistry::InView(RegistryRoot root, RegistryView view,
                                      std::u16string_view path) const {
  return two_views_ ? PathInView(root, view, path) : std::u16string(path);
}

std::unique_ptr<OpenRegistryKey> MemoryRegistry::Open(RegistryRoot root, RegistryView view,
                                                      std::u16string_view path, KeyAccess access,
                                                      RegistryStatus& status) {
  const std::optional<std::vector<std::u16string>> names = PathNames(InView(root, view, path));
  if (!names) {
    status = Status(RegistryStatusKind::Failed);
    return nullptr;
  }
  // The handle shares the node, so it outlives a delete as a real handle does.
  std::shared_ptr<Node> node = roots_.at(root);
  for (const std::u16string& part : *names) {
    node = node->Child(part);
    if (!node) {
      status = Status(RegistryStatusKind::NotFound);
      return nullptr;
    }
  }
  if (access == KeyAccess::ReadWrite && node->is_protected) {
    status = Status(RegistryStatusKind::AccessDenied);
    return nullptr;
  }
  status = RegistryStatus::Ok();
  return std::make_unique<MemoryKey>(std::move(node), access, failing_delete_, value_writes_);
}

std::unique_ptr<OpenRegistryKey> MemoryRegistry::Create(RegistryRoot root, RegistryView view,
                                                        std::u16string_view path,
                                                        RegistryStatus& status) {
  const std::u16string in_view = InView(root, view, path);
  const std::optional<std::vector<std::u16string>> names = PathNames(in_view);
  std::size_t existing = 0;
  if (names) {
    for (const Node* at = roots_.at(root).get(); existing < names->size(); ++existing) {
      at = at->Child((*names)[existing]).get();
      if (!at) break;
    }
  }
  // The Win32 call names a key up to its first NUL, so Win32Registry creates
  // no path with one. Windows keeps keys at most 512 levels deep and creates
  // at most 32 levels in one call; Wine 8 creates any number.
  if (!names || in_view.find(u'\0') != std::u16string::npos ||
      names->size() > static_cast<std::size_t>(kMaxKeyLevels) ||
      names->size() - existing > static_cast<std::size_t>(kMaxLevelsCreatedAtOnce)) {
    status = Status(RegistryStatusKind::Failed);
    return nullptr;
  }
  Node* node = roots_.at(root).get();
  for (const std::u16string& part : *names) {
    if (node->is_protected) {
      status = Status(RegistryStatusKind::AccessDenied);
      return nullptr;
    }
    node = node->AddChild(part).get();
  }
  return Open(root, view, path, KeyAccess::ReadWrite, status);
}

void MemoryRegistry::SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                              RegistryValue value) {
  FindOrCreate(root, path)->SetValue(name, std::move(value));
}

void MemoryRegistry::SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                              RegistryValue value) {
  SetValue(root, Utf8ToUtf16(path), Utf8ToUtf16(name), std::move(value));
}

void MemoryRegistry::SetString(RegistryRoot root, std::string_view path, std::string_view name,
                               std::string_view text) {
  SetValue(root, path, name, MakeStringValue(text));
}

void MemoryRegistry::SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                              std::uint32_t number) {
  SetValue(root, path, name, MakeDwordValue(number));
}

void MemoryRegistry::CreateKey(RegistryRoot root, std::u16string_view path) {
  FindOrCreate(root, path);
}

void MemoryRegistry::CreateKey(RegistryRoot root, std::string_view path) {
  CreateKey(root, Utf8ToUtf16(path));
}

void MemoryRegistry::DeleteTree(RegistryRoot root, std::string_view path) {
  const std::u16string wide = Utf8ToUtf16(path);
  const std::size_t last = wide.rfind(u'\\');
  Node* parent = last == std::u16string::npos
                     ? roots_.at(root).get()
                     : Find(root, std::u16string_view(wide).substr(0, last));
  if (!parent) return;
  const std::u16string leaf = wide.substr(last == std::u16string::npos ? 0 : last + 1);
  const auto it = parent->children.find(Fold(leaf));
  if (it == parent->children.end()) return;
  it->second->deleted = true;
  parent->children.erase(it);
}

bool MemoryRegistry::KeyExists(RegistryRoot root, std::u16string_view path) const {
  return Find(root, path) != nullptr;
}

bool MemoryRegistry::KeyExists(RegistryRoot root, std::string_view path) const {
  return KeyExists(root, Utf8ToUtf16(path));
}

std::optional<RegistryValue> MemoryRegistry::GetValue(RegistryRoot root, std::string_view path,
                                                      std::string_view name) const {
  Node* node = Find(root, Utf8ToUtf16(path));
  if (!node) return std::nullopt;
  const auto it = node->FindValue(Utf8ToUtf16(name));
  if (it == node->values.end()) return std::nullopt;
  return it->value;
}

std::vector<std::u16string> MemoryRegistry::ValueNamesOf(RegistryRoot root,
                                                         std::string_view path) const {
  std::vector<std::u16string> names;
  if (Node* node = Find(root, Utf8ToUtf16(path))) {
    for (const NamedValue& entry : node->values) names.push_back(entry.name);
  }
  return names;
}

void MemoryRegistry::Protect(RegistryRoot root, std::u16string_view path) {
  FindOrCreate(root, path)->ProtectTree();
}

void MemoryRegistry::Protect(RegistryRoot root, std::string_view path) {
  Protect(root, Utf8ToUtf16(path));
}

}  // namespace qb::platform
