#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry_backend.h"

namespace qb::platform {

// An in-memory registry for native tests. It keeps the rules of the real one
// that the program relies on: names are compared without regard to letter
// case, subkeys enumerate in sorted order, values in the order they were first
// written, a key opened for reading refuses writes, and a key with subkeys
// cannot be deleted. Keys can be protected to play a user without
// administrator rights: they open for reading only and cannot be deleted.
class MemoryRegistry final : public RegistryBackend {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  std::unique_ptr<OpenRegistryKey> Open(RegistryRoot root, std::string_view path, KeyAccess access,
                                        RegistryStatus& status) override;
  std::unique_ptr<OpenRegistryKey> Create(RegistryRoot root, std::string_view path,
                                          RegistryStatus& status) override;
  RegistryStatus DeleteKey(RegistryRoot root, std::string_view path) override;

  // Test conveniences; they bypass protection.
  void SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                RegistryValue value);
  void SetString(RegistryRoot root, std::string_view path, std::string_view name,
                 std::string_view text);
  void SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                std::uint32_t number);
  void CreateKey(RegistryRoot root, std::string_view path);
  bool KeyExists(RegistryRoot root, std::string_view path) const;
  std::optional<RegistryValue> GetValue(RegistryRoot root, std::string_view path,
                                        std::string_view name) const;
  std::vector<std::string> ValueNamesOf(RegistryRoot root, std::string_view path) const;
  // Protects a key and everything below it.
  void Protect(RegistryRoot root, std::string_view path);

  struct Node;

 private:
  Node* Find(RegistryRoot root, std::string_view path) const;
  Node* FindOrCreate(RegistryRoot root, std::string_view path);
  bool IsProtected(RegistryRoot root, std::string_view path) const;

  std::map<RegistryRoot, std::shared_ptr<Node>> roots_;
  std::vector<std::pair<RegistryRoot, std::vector<std::string>>> protected_;
};

}  // namespace qb::platform
