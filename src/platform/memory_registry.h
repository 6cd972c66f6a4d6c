#pragma once

#include <cstddef>
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
// that the program relies on: names are counted UTF-16 (a NUL or a lone
// surrogate is an ordinary unit) compared without regard to ASCII letter
// case, subkeys enumerate in sorted order, values in the order they were first
// written, a key opened for reading refuses writes, and a key with subkeys
// cannot be deleted. Keys can be protected to play a user without
// administrator rights: they open for reading only and cannot be deleted.
// It refuses what the registry of Windows refuses: a path with an empty
// name, a key name over 255 characters, a value name over 16,383, a key
// deeper than 512 levels or more than 32 new levels in one create, and, as
// Win32Registry does, a path with a NUL to create.
//
// Like 64-bit Windows it has a 32-bit view, which keeps its keys where
// PathInView says, unless it is made with one view only.
//
// The test conveniences take paths of the 64-bit view (so a key of the
// 32-bit view is reached under "Wow6432Node"), as UTF-8 or, for names that
// UTF-8 cannot carry, as UTF-16; they bypass protection and those limits,
// to set up what a hostile program could claim.
class MemoryRegistry final : public RegistryBackend {
 public:
  explicit MemoryRegistry(bool two_views = true);
  ~MemoryRegistry() override;

  std::vector<RegistryView> Views() const override;
  std::unique_ptr<OpenRegistryKey> Open(RegistryRoot root, RegistryView view,
                                        std::u16string_view path, KeyAccess access,
                                        RegistryStatus& status) override;
  std::unique_ptr<OpenRegistryKey> Create(RegistryRoot root, RegistryView view,
                                          std::u16string_view path,
                                          RegistryStatus& status) override;

  void SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                RegistryValue value);
  void SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                RegistryValue value);
  void SetString(RegistryRoot root, std::string_view path, std::string_view name,
                 std::string_view text);
  void SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                std::uint32_t number);
  void CreateKey(RegistryRoot root, std::u16string_view path);
  void CreateKey(RegistryRoot root, std::string_view path);
  // Removes the key with everything below it, if it is there.
  void DeleteTree(RegistryRoot root, std::string_view path);
  bool KeyExists(RegistryRoot root, std::u16string_view path) const;
  bool KeyExists(RegistryRoot root, std::string_view path) const;
  std::optional<RegistryValue> GetValue(RegistryRoot root, std::string_view path,
                                        std::string_view name) const;
  std::vector<std::u16string> ValueNamesOf(RegistryRoot root, std::string_view path) const;
  // Protects a key and everything below it.
  void Protect(RegistryRoot root, std::u16string_view path);
  void Protect(RegistryRoot root, std::string_view path);
  // Every later delete of a key fails as a registry error would: the key
  // stays, and the status says why.
  void FailDeletes(RegistryStatus status) { failing_delete_ = status; }
  // How many values the program has written through its open keys; the
  // test conveniences above do not count.
  std::size_t value_writes() const { return value_writes_; }

  struct Node;

 private:
  Node* Find(RegistryRoot root, std::u16string_view path) const;
  Node* FindOrCreate(RegistryRoot root, std::u16string_view path);
  std::u16string InView(RegistryRoot root, RegistryView view, std::u16string_view path) const;

  bool two_views_;
  std::map<RegistryRoot, std::shared_ptr<Node>> roots_;
  RegistryStatus failing_delete_;
  std::size_t value_writes_ = 0;
};

}  // namespace qb::platform
