#include "platform/key_tree.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace qb::platform {
namespace {

std::unique_ptr<platform::OpenRegistryKey> OpenRoot(platform::MemoryRegistry& registry) {
  RegistryStatus status;
  return registry.Open(RegistryRoot::LocalMachine, platform::RegistryView::k64, u"Software",
                       KeyAccess::Read, status);
}

TEST(DeleteKeyTree, DeletesEveryKeyBelowByItsExactName) {
  platform::MemoryRegistry registry;
  const std::u16string nul(1, u'\0');
  registry.CreateKey(RegistryRoot::LocalMachine, u"Software\\Object\\" + nul + u"\\Inner");
  registry.CreateKey(RegistryRoot::LocalMachine, u"Software\\Object\\Sub" + nul + u"x\\a\\b");
  registry.CreateKey(RegistryRoot::LocalMachine, u"Software\\Object\\Sub");
  registry.CreateKey(RegistryRoot::LocalMachine, u"Software\\Other");

  EXPECT_TRUE(DeleteKeyTree(*OpenRoot(registry), u"Object").ok());
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, u"Software\\Object"));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, u"Software\\Other"));
  EXPECT_EQ(DeleteKeyTree(*OpenRoot(registry), u"Object").kind, RegistryStatusKind::NotFound);
}

TEST(DeleteKeyTree, ATreeDeeperThanTheRegistryAllowsFailsWithoutRunningAway) {
  platform::MemoryRegistry registry;
  std::u16string path = u"Software\\Deep";
  for (int depth = 0; depth < 2 * kMaxKeyDepth; ++depth) path += u"\\d";
  registry.CreateKey(RegistryRoot::LocalMachine, path);
  EXPECT_FALSE(DeleteKeyTree(*OpenRoot(registry), u"Deep").ok());
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, u"Software\\Deep"));
}

// A registry that says a key was deleted while it stays, as a key that is
// recreated at once would look: "Object", with no subkeys, is always there.
class StubbornKey final : public platform::OpenRegistryKey {
 public:
  explicit StubbornKey(bool is_parent = true) : is_parent_(is_parent) {}

  std::vector<std::u16string> SubkeyNames() override {
    return is_parent_ ? std::vector<std::u16string>{u"Object"} : std::vector<std::u16string>{};
  }
  std::vector<platform::NamedValue> Values() override { return {}; }
  RegistryStatus Read(std::u16string_view, platform::RegistryValue&) override { return Missing(); }
  RegistryStatus Write(std::u16string_view, const platform::RegistryValue&) override {
    return Missing();
  }
  RegistryStatus DeleteValue(std::u16string_view) override { return Missing(); }
  std::unique_ptr<platform::OpenRegistryKey> OpenSubkey(std::u16string_view name, KeyAccess,
                                                        RegistryStatus& status) override {
    if (!is_parent_ || name != u"Object") {
      status = Missing();
      return nullptr;
    }
    status = RegistryStatus::Ok();
    return std::make_unique<StubbornKey>(false);
  }
  RegistryStatus DeleteSubkey(std::u16string_view) override {
    return is_parent_ ? RegistryStatus::Ok() : Missing();
  }

 private:
  static RegistryStatus Missing() { return {RegistryStatusKind::NotFound, 2}; }
  bool is_parent_;
};

TEST(DeleteKeyTree, AKeyThatIsStillThereIsNeverCountedAsDeleted) {
  StubbornKey parent;
  EXPECT_EQ(DeleteKeyTree(parent, u"Object").kind, RegistryStatusKind::Failed);
}

}  // namespace
}  // namespace qb::platform
