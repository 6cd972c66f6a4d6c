#include "registry/registry_key.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_registry.h"

namespace qb::registry {
namespace {

using platform::MemoryRegistry;
using platform::RegistryStatusKind;
namespace value_type = platform::value_type;

constexpr char kBho[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

using qb::testing::ErrorOf;

class RegistryKeyTest : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  RegistryKey key{registry};
};

TEST_F(RegistryKeyTest, PathsStartAtTheOpenKeyUnlessTheyBeginWithABackslash) {
  registry.CreateKey(RegistryRoot::CurrentUser, "Software\\Tarnwick\\Quellbright");
  registry.CreateKey(RegistryRoot::CurrentUser, "Quellbright");

  ASSERT_TRUE(key.OpenKey("Software\\Tarnwick", false));
  EXPECT_EQ(key.CurrentPath(), "Software\\Tarnwick");
  ASSERT_TRUE(key.OpenKey("Quellbright", false));
  EXPECT_EQ(key.CurrentPath(), "Software\\Tarnwick\\Quellbright");
  ASSERT_TRUE(key.OpenKey("\\Quellbright", false));
  EXPECT_EQ(key.CurrentPath(), "Quellbright");

  key.CloseKey();
  EXPECT_EQ(key.ResolvePath(u"Software"), u"Software");
}

TEST_F(RegistryKeyTest, AFailedOpenReturnsFalseAndKeepsTheOpenKey) {
  registry.CreateKey(RegistryRoot::CurrentUser, "Software");
  ASSERT_TRUE(key.OpenKey("\\Software", false));
  EXPECT_FALSE(key.OpenKey("\\Missing", false));
  EXPECT_TRUE(key.HasOpenKey());
  EXPECT_EQ(key.CurrentPath(), "Software");
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "Missing"));
}

TEST_F(RegistryKeyTest, ChangingTheRootClosesTheOpenKey) {
  registry.CreateKey(RegistryRoot::CurrentUser, "Software");
  ASSERT_TRUE(key.OpenKey("\\Software", false));
  key.SetRoot(RegistryRoot::LocalMachine);
  EXPECT_FALSE(key.HasOpenKey());
}

TEST_F(RegistryKeyTest, ReadingAProtectedKeyNeedsNoWriteAccess) {
  registry.CreateKey(RegistryRoot::LocalMachine, std::string(kBho) + "\\{A}");
  registry.CreateKey(RegistryRoot::LocalMachine, std::string(kBho) + "\\{B}");
  registry.Protect(RegistryRoot::LocalMachine, "SOFTWARE");
  key.SetRoot(RegistryRoot::LocalMachine);

  ASSERT_TRUE(key.OpenKey(std::string("\\") + kBho, false));
  EXPECT_EQ(key.SubkeyNames(), (std::vector<std::u16string>{u"{A}", u"{B}"}));
  EXPECT_FALSE(key.OpenKey(std::string("\\") + kBho, false, KeyAccess::ReadWrite));
  EXPECT_FALSE(key.OpenKey(std::string("\\") + kBho, true));
}

TEST_F(RegistryKeyTest, AKeyOpenedForReadingRefusesWrites) {
  registry.CreateKey(RegistryRoot::CurrentUser, "Software");
  ASSERT_TRUE(key.OpenKey("\\Software", false));
  EXPECT_EQ(ErrorOf([&] { key.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
  ASSERT_TRUE(key.OpenKey("\\Software", false, KeyAccess::ReadWrite));
  key.WriteString("Name", "x");
  EXPECT_EQ(key.ReadString("Name"), "x");
}

TEST_F(RegistryKeyTest, WritingWithoutAnOpenKeyFails) {
  EXPECT_EQ(ErrorOf([&] { key.WriteInteger("Count", 1); }), "Failed to set data for 'Count'");
}

TEST_F(RegistryKeyTest, TextReadsFollowTheStorageRules) {
  const auto root = RegistryRoot::CurrentUser;
  registry.SetString(root, "K", "Plain", "hello");
  registry.SetValue(root, "K", "Expand",
                    platform::MakeStringValue("%SystemRoot%\\x.dll", value_type::kExpandString));
  registry.SetString(root, "K", "Empty", "");
  registry.SetValue(root, "K", "NoData", {value_type::kString, {}});
  auto with_zero = platform::MakeStringValue("before");
  const auto after = platform::MakeStringValue("after");
  with_zero.data.insert(with_zero.data.end(), after.data.begin(), after.data.end());
  registry.SetValue(root, "K", "Embedded", with_zero);
  registry.SetDword(root, "K", "Number", 7);
  ASSERT_TRUE(key.OpenKey("\\K", false));

  EXPECT_EQ(key.ReadString("Plain"), "hello");
  EXPECT_EQ(key.ReadString("Expand"), "%SystemRoot%\\x.dll");
  EXPECT_EQ(key.ReadString("Empty"), "");
  EXPECT_EQ(key.ReadString("NoData"), "");
  EXPECT_EQ(key.ReadString("Absent"), "");
  EXPECT_EQ(key.ReadString("Embedded"), "before");
  EXPECT_EQ(ErrorOf([&] { key.ReadString("Number"); }), "Invalid data type for 'Number'");
}

TEST_F(RegistryKeyTest, NonAsciiTextSurvivesARoundTrip) {
  ASSERT_TRUE(key.OpenKey("\\K", true));
  key.WriteString("Name", "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(key.ReadString("Name"), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(registry.GetValue(RegistryRoot::CurrentUser, "K", "Name")->data.size(), 14u);
}

TEST_F(RegistryKeyTest, IntegersAreDwordsAndNothingElse) {
  ASSERT_TRUE(key.OpenKey("\\K", true));
  key.WriteInteger("Ypos", -1);
  EXPECT_EQ(registry.GetValue(RegistryRoot::CurrentUser, "K", "Ypos")->type, value_type::kDword);
  EXPECT_EQ(key.ReadInteger("Ypos"), -1);

  key.WriteString("Text", "5");
  EXPECT_EQ(ErrorOf([&] { key.ReadInteger("Text"); }), "Invalid data type for 'Text'");
  EXPECT_EQ(ErrorOf([&] { key.ReadInteger("Absent"); }), "Failed to get data for 'Absent'");
}

TEST_F(RegistryKeyTest, DateTimesAreEightBinaryBytes) {
  ASSERT_TRUE(key.OpenKey("\\K", true));
  key.WriteDateTime("Xpos", 36526.5);
  const auto stored = registry.GetValue(RegistryRoot::CurrentUser, "K", "Xpos");
  EXPECT_EQ(stored->type, value_type::kBinary);
  EXPECT_EQ(stored->data.size(), 8u);
  EXPECT_DOUBLE_EQ(key.ReadDateTime("Xpos"), 36526.5);

  key.WriteValue("Short", {value_type::kBinary, {1, 2, 3, 4}});
  EXPECT_EQ(ErrorOf([&] { key.ReadDateTime("Short"); }), "Invalid data type for 'Short'");
  key.WriteString("Text", "36526.5");
  EXPECT_EQ(ErrorOf([&] { key.ReadDateTime("Text"); }), "Invalid data type for 'Text'");
}

TEST_F(RegistryKeyTest, DeleteKeyRemovesTheWholeTree) {
  const auto root = RegistryRoot::LocalMachine;
  registry.SetString(root, "B\\{X}", "", "x");
  registry.SetString(root, "B\\{X}\\Sub\\Deeper", "v", "1");
  registry.CreateKey(root, "B\\{X}\\Other");
  registry.CreateKey(root, "B\\{Y}");
  key.SetRoot(root);

  key.DeleteKey("\\B\\{X}");
  EXPECT_FALSE(registry.KeyExists(root, "B\\{X}"));
  EXPECT_TRUE(registry.KeyExists(root, "B\\{Y}"));
  key.DeleteKey("\\B\\{X}");  // gone already: no error
}

TEST_F(RegistryKeyTest, DeleteKeyReportsAProtectedTreeAndLeavesIt) {
  const auto root = RegistryRoot::LocalMachine;
  registry.CreateKey(root, "B\\{X}\\Sub");
  registry.Protect(root, "B");
  key.SetRoot(root);

  EXPECT_EQ(ErrorOf([&] { key.DeleteKey("\\B\\{X}"); }),
            "Failed to delete key B\\{X} (access is denied)");
  EXPECT_TRUE(registry.KeyExists(root, "B\\{X}\\Sub"));
}

TEST_F(RegistryKeyTest, CreateKeyThrowsWhenTheKeyCannotBeMade) {
  registry.CreateKey(RegistryRoot::LocalMachine, "SOFTWARE");
  registry.Protect(RegistryRoot::LocalMachine, "SOFTWARE");
  key.SetRoot(RegistryRoot::LocalMachine);
  EXPECT_EQ(ErrorOf([&] { key.CreateKey("\\SOFTWARE\\New"); }),
            "Failed to create key SOFTWARE\\New");
}

// The in-memory registry refuses what the registry of Windows refuses, so
// that what works natively works there too.
TEST(MemoryRegistryLimits, RefuseWhatTheRegistryRefuses) {
  MemoryRegistry registry;
  const auto root = RegistryRoot::CurrentUser;
  const auto view = platform::RegistryView::k64;
  platform::RegistryStatus status;
  const auto create = [&](const std::u16string& path) {
    return registry.Create(root, view, path, status) != nullptr;
  };
  const auto open = [&](const std::u16string& path) {
    return registry.Open(root, view, path, platform::KeyAccess::Read, status) != nullptr;
  };

  ASSERT_TRUE(create(u"A\\B"));
  EXPECT_FALSE(create(u"A\\\\B"));
  EXPECT_EQ(status.kind, RegistryStatusKind::Failed);
  EXPECT_FALSE(open(u"A\\\\B"));
  EXPECT_FALSE(create(u"A\\B\\"));
  EXPECT_TRUE(create(u"A\\" + std::u16string(255, u'n')));
  EXPECT_FALSE(create(u"A\\" + std::u16string(256, u'n')));
  EXPECT_FALSE(open(u"A\\" + std::u16string(256, u'n')));
  // Created through its parent by the native call, a NUL name opens; the
  // Win32 call cannot create it.
  const std::u16string nul_name(u"N\0x", 3);
  registry.CreateKey(root, u"A\\" + nul_name);
  EXPECT_TRUE(open(u"A\\" + nul_name));
  EXPECT_FALSE(create(u"A\\" + nul_name + u"\\C"));

  std::u16string path = u"D";
  for (int level = 2; level <= 33; ++level) path += u"\\d";
  EXPECT_FALSE(create(path)) << "33 new levels in one call";
  path.resize(path.size() - 2);
  EXPECT_TRUE(create(path));
  for (int level = 33; level <= 512; ++level) ASSERT_TRUE(create(path += u"\\d"));
  EXPECT_FALSE(create(path + u"\\d")) << "a 513th level";

  const auto key = registry.Create(root, view, u"A", status);
  EXPECT_TRUE(key->Write(std::u16string(16383, u'v'), platform::MakeDwordValue(1)).ok());
  EXPECT_EQ(key->Write(std::u16string(16384, u'v'), platform::MakeDwordValue(1)).kind,
            RegistryStatusKind::Failed);
}

}  // namespace
}  // namespace qb::registry
