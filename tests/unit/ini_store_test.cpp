#include "registry/ini_store.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_registry.h"

namespace qb::registry {
namespace {

using platform::MemoryRegistry;
using qb::testing::ErrorOf;
namespace value_type = platform::value_type;

TEST(ParseIntegerText, AcceptsDecimalAndThreeHexadecimalForms) {
  EXPECT_EQ(ParseIntegerText("7"), 7);
  EXPECT_EQ(ParseIntegerText("-1"), -1);
  EXPECT_EQ(ParseIntegerText("+12"), 12);
  EXPECT_EQ(ParseIntegerText("   42"), 42);
  EXPECT_EQ(ParseIntegerText("$1F"), 31);
  EXPECT_EQ(ParseIntegerText("x1f"), 31);
  EXPECT_EQ(ParseIntegerText("X10"), 16);
  EXPECT_EQ(ParseIntegerText("0x10"), 16);
  EXPECT_EQ(ParseIntegerText("0X7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParseIntegerText("-$10"), -16);
  EXPECT_EQ(ParseIntegerText("007"), 7);
  EXPECT_EQ(ParseIntegerText("2147483647"), 2147483647);
  EXPECT_EQ(ParseIntegerText("-2147483648"), -2147483647 - 1);
}

TEST(ParseIntegerText, RejectsEmptyBadAndOverflowingText) {
  for (const char* text :
       {"", " ", "yes", "7 ", "1e3", "0x", "$", "x", "+", "-", "--1", "12a", "2147483648",
        "-2147483649", "$80000000", "99999999999999999999", "\t"}) {
    EXPECT_EQ(ParseIntegerText(text), std::nullopt) << '"' << text << '"';
  }
}

class IniStoreTest : public ::testing::Test {
 protected:
  static constexpr auto kUser = RegistryRoot::CurrentUser;
  MemoryRegistry registry;
};

TEST_F(IniStoreTest, MakingTheStoreCreatesItsKeyAndNothingElse) {
  IniStore store(registry, kUser, "Software\\Tarnwick");
  EXPECT_TRUE(registry.KeyExists(kUser, "Software\\Tarnwick"));
  EXPECT_FALSE(registry.KeyExists(kUser, "Software\\Tarnwick\\Quellbright"));
  EXPECT_EQ(store.ReadString("Quellbright", "HomePage", "fallback"), "fallback");
  EXPECT_FALSE(registry.KeyExists(kUser, "Software\\Tarnwick\\Quellbright"));
}

TEST_F(IniStoreTest, WritesAreTextInTheSectionKey) {
  IniStore store(registry, kUser, "Software\\Tarnwick");
  store.WriteInteger("Quellbright", "GotoVodUridazur", -7);
  store.WriteBool("Quellbright", "AutoStart", true);
  store.WriteBool("Quellbright", "MakeBackup", false);
  store.WriteString("", "AtTheKey", "here");

  const auto value = [&](const char* path, const char* name) {
    return registry.GetValue(kUser, path, name).value();
  };
  EXPECT_EQ(value("Software\\Tarnwick\\Quellbright", "GotoVodUridazur"),
            platform::MakeStringValue("-7"));
  EXPECT_EQ(value("Software\\Tarnwick\\Quellbright", "AutoStart"), platform::MakeStringValue("1"));
  EXPECT_EQ(value("Software\\Tarnwick\\Quellbright", "MakeBackup"), platform::MakeStringValue("0"));
  EXPECT_EQ(value("Software\\Tarnwick", "AtTheKey"), platform::MakeStringValue("here"));
}

TEST_F(IniStoreTest, FlagsAreIntegersWithTheirDefaultForBadText) {
  IniStore store(registry, kUser, "Software\\Tarnwick");
  const char* section = "Quellbright";
  store.WriteString(section, "Two", "2");
  store.WriteString(section, "Yes", "yes");
  store.WriteString(section, "Empty", "");
  store.WriteString(section, "Zero", "0");
  store.WriteString(section, "Hex", "$0");

  EXPECT_TRUE(store.ReadBool(section, "Two", false));
  EXPECT_TRUE(store.ReadBool(section, "Yes", true));
  EXPECT_FALSE(store.ReadBool(section, "Yes", false));
  EXPECT_TRUE(store.ReadBool(section, "Empty", true));
  EXPECT_FALSE(store.ReadBool(section, "Zero", true));
  EXPECT_FALSE(store.ReadBool(section, "Hex", true));
  EXPECT_TRUE(store.ReadBool(section, "Absent", true));
  EXPECT_EQ(store.ReadInteger(section, "Yes", 7), 7);
  EXPECT_EQ(store.ReadString(section, "Empty", "fallback"), "");
}

TEST_F(IniStoreTest, AValueOfAnotherTypeIsAnError) {
  registry.SetDword(kUser, "Software\\Tarnwick\\Quellbright", "AutoStart", 1);
  registry.SetValue(kUser, "Software\\Tarnwick\\Quellbright", "HomePage",
                    {value_type::kBinary, {1, 2}});
  IniStore store(registry, kUser, "Software\\Tarnwick");
  EXPECT_EQ(ErrorOf([&] { store.ReadBool("Quellbright", "AutoStart", true); }),
            "Invalid data type for 'AutoStart'");
  EXPECT_EQ(ErrorOf([&] { store.ReadString("Quellbright", "HomePage", ""); }),
            "Invalid data type for 'HomePage'");
}

TEST_F(IniStoreTest, ExpandableTextIsReadUnexpanded) {
  registry.SetValue(kUser, "Software\\Tarnwick\\Quellbright", "HomePage",
                    platform::MakeStringValue("%HOME%", value_type::kExpandString));
  IniStore store(registry, kUser, "Software\\Tarnwick");
  EXPECT_EQ(store.ReadString("Quellbright", "HomePage", ""), "%HOME%");
}

TEST_F(IniStoreTest, AKeyThatCannotBeCreatedIsAnError) {
  registry.CreateKey(kUser, "Software");
  registry.Protect(kUser, "Software");
  EXPECT_EQ(ErrorOf([&] { IniStore(registry, kUser, "Software\\Tarnwick"); }),
            "Failed to create key Software\\Tarnwick");
}

TEST_F(IniStoreTest, ReadsWorkOnKeysTheUserMayOnlyRead) {
  registry.SetString(kUser, "Software\\Tarnwick\\Quellbright", "AutoStart", "0");
  registry.Protect(kUser, "Software\\Tarnwick\\Quellbright");
  IniStore store(registry, kUser, "Software\\Tarnwick");
  EXPECT_FALSE(store.ReadBool("Quellbright", "AutoStart", true));
}

TEST_F(IniStoreTest, DeleteValueAndEraseSection) {
  IniStore store(registry, kUser, "Software\\Tarnwick");
  store.WriteString("Quellbright", "A", "1");
  store.WriteString("Quellbright\\Deep", "B", "2");
  store.DeleteValue("Quellbright", "A");
  store.DeleteValue("Quellbright", "Missing");
  store.DeleteValue("NoSuchSection", "Missing");
  EXPECT_FALSE(registry.GetValue(kUser, "Software\\Tarnwick\\Quellbright", "A"));

  store.EraseSection("Quellbright");
  EXPECT_FALSE(registry.KeyExists(kUser, "Software\\Tarnwick\\Quellbright"));
  EXPECT_TRUE(registry.KeyExists(kUser, "Software\\Tarnwick"));
}

TEST_F(IniStoreTest, AStoreWithoutAKeyResolvesSectionsFromTheRoot) {
  registry.SetString(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     "History", "C:\\History");
  IniStore store(registry, kUser);
  const char* section = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  EXPECT_EQ(store.ReadString(section, "History", "Error"), "C:\\History");
  EXPECT_EQ(store.ReadString(section, "Cache", "Error"), "Error");
  EXPECT_EQ(store.ReadString("\\No\\Such\\Key", "Cache", "Error"), "Error");
}

}  // namespace
}  // namespace qb::registry
