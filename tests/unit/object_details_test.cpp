#include "scanner/object_details.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_file_locator.h"
#include "platform/memory_registry.h"
#include "platform/memory_version_info.h"

namespace qb::scanner {
namespace {

using platform::MemoryVersionInfo;
using platform::RegistryRoot;
using qb::testing::ErrorOf;
constexpr platform::RegistryView kView64 = platform::RegistryView::k64;

constexpr char16_t kClsid[] = u"{33333333-3333-3333-3333-333333333333}";
constexpr char kClassKey[] = "CLSID\\{33333333-3333-3333-3333-333333333333}";
constexpr char kServerKey[] = "CLSID\\{33333333-3333-3333-3333-333333333333}\\InprocServer32";
constexpr char kDll[] = "C:\\Program Files\\Sample\\sample.dll";

MemoryVersionInfo::File FullResource() {
  const std::string prefix = "\\StringFileInfo\\040904E4\\";
  return {platform::Translation{0x0409, 0x04E4},
          {{prefix + "FileDescription", "Sample helper"},
           {prefix + "FileVersion", "1.2.3.4"},
           {prefix + "ProductName", std::string("Sample\0ignored", 14)},
           {prefix + "CompanyName", "Sample Company"}}};
}

class ObjectDetailsTest : public ::testing::Test {
 protected:
  void RegisterClass(const std::string& name, const std::string& server) {
    registry.SetString(RegistryRoot::ClassesRoot, kClassKey, "", name);
    registry.SetString(RegistryRoot::ClassesRoot, kServerKey, "", server);
  }

  DetailsLookup Read() { return ReadObjectDetails(sources, kClsid, kView64); }

  platform::MemoryRegistry registry;
  platform::MemoryFileLocator locator;
  MemoryVersionInfo versions;
  DetailsSources sources{registry, locator, versions};
};

TEST(TranslationText, IsLanguageThenCodePageInUpperCaseHex) {
  EXPECT_EQ(TranslationText({0x0409, 0x04E4}), "040904E4");
  EXPECT_EQ(TranslationText({0x0407, 0x04B0}), "040704B0");
  EXPECT_EQ(TranslationText({0, 0}), "00000000");
  EXPECT_EQ(TranslationText({0xFFFF, 0xABCD}), "FFFFABCD");
}

TEST_F(ObjectDetailsTest, AFileWithAVersionResourceFillsAllSixFields) {
  RegisterClass("Sample BHO", kDll);
  versions.AddFile(kDll, FullResource());
  const DetailsLookup lookup = Read();

  EXPECT_FALSE(lookup.no_info);
  EXPECT_EQ(lookup.translation, "040904E4");
  EXPECT_EQ(lookup.details.file_name, kDll);
  EXPECT_EQ(lookup.details.bho_name, "Sample BHO");
  EXPECT_EQ(lookup.details.description, "Sample helper");
  EXPECT_EQ(lookup.details.file_version, "1.2.3.4");
  EXPECT_EQ(lookup.details.product_name, "Sample");
  EXPECT_EQ(lookup.details.publisher, "Sample Company");
}

TEST_F(ObjectDetailsTest, AMissingStringLeavesOnlyItsFieldEmpty) {
  RegisterClass("Sample BHO", kDll);
  auto resource = FullResource();
  resource.strings.erase("\\StringFileInfo\\040904E4\\CompanyName");
  versions.AddFile(kDll, resource);
  const DetailsLookup lookup = Read();
  EXPECT_EQ(lookup.details.publisher, "");
  EXPECT_EQ(lookup.details.file_version, "1.2.3.4");
}

TEST_F(ObjectDetailsTest, NoClassKeyMeansNoInfo) {
  const DetailsLookup lookup = Read();
  EXPECT_TRUE(lookup.no_info);
  EXPECT_EQ(lookup.details.bho_name, "");
  EXPECT_TRUE(versions.reads().empty());
}

TEST_F(ObjectDetailsTest, AClassWithoutAServerKeyShowsItsNameOnly) {
  registry.SetString(RegistryRoot::ClassesRoot, kClassKey, "", "Named only");
  const DetailsLookup lookup = Read();
  EXPECT_TRUE(lookup.no_info);
  EXPECT_EQ(lookup.details.bho_name, "Named only");
}

TEST_F(ObjectDetailsTest, AServerValueOfOneOrTwoCharactersMeansNoInfo) {
  // Characters, not bytes: two letters outside ASCII are still two.
  for (const char* server :
       {"", "a", "ab", "\xC3\xA9\xC3\xA9", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80"}) {
    RegisterClass("Short", server);
    EXPECT_TRUE(Read().no_info) << server;
  }
  for (const char* server : {"abc", "\xC3\xA9\xC3\xA9\xC3\xA9"}) {
    RegisterClass("Long enough", server);
    EXPECT_FALSE(Read().no_info) << server;
  }
}

// The CLSID is one name: a list entry with a backslash cannot reach
// another key, and a NUL inside it is part of the name.
TEST_F(ObjectDetailsTest, TheClsidIsLookedUpAsOneName) {
  RegisterClass("Sample BHO", kDll);
  registry.SetString(RegistryRoot::ClassesRoot, "CLSID\\{a}\\b}\\InprocServer32", "", kDll);
  EXPECT_TRUE(ReadObjectDetails(sources, u"{a}\\b}", kView64).no_info);
  const std::u16string with_nul = std::u16string(u"{33333333-3333-3333-3333-333333333333}\0x", 41);
  EXPECT_TRUE(ReadObjectDetails(sources, with_nul, kView64).no_info);
  registry.SetValue(RegistryRoot::ClassesRoot, u"CLSID\\" + with_nul, u"",
                    platform::MakeStringValue("Hidden"));
  EXPECT_EQ(ReadObjectDetails(sources, with_nul, kView64).details.bho_name, "Hidden");
}

TEST_F(ObjectDetailsTest, AFileWithoutAResourceShowsItsNameAndNoVersion) {
  RegisterClass("Sample BHO", kDll);
  const DetailsLookup lookup = Read();
  EXPECT_FALSE(lookup.no_info);
  EXPECT_EQ(lookup.translation, kNoTranslation);
  EXPECT_EQ(lookup.details.file_name, kDll);
  EXPECT_EQ(lookup.details.description, "");
}

TEST_F(ObjectDetailsTest, AResourceWithoutATranslationGivesNoVersionFields) {
  RegisterClass("Sample BHO", kDll);
  auto resource = FullResource();
  resource.translation.reset();
  versions.AddFile(kDll, resource);
  const DetailsLookup lookup = Read();
  EXPECT_EQ(lookup.translation, kNoTranslation);
  EXPECT_EQ(lookup.details.description, "");
  EXPECT_EQ(lookup.details.file_version, "");
}

// The loader expands a REG_EXPAND_SZ server path, and only that: the file
// is read where it loads, the name shown as stored, and an expansion that
// leads to a server is refused as the name itself would be.
TEST_F(ObjectDetailsTest, EnvironmentReferencesAreExpandedWhereTheLoaderExpandsThem) {
  const std::string server = "%SystemRoot%\\system32\\sample.dll";
  locator.SetEnvironment("SystemRoot", "C:\\windows");
  locator.SetEnvironment("Evil", "\\\\server\\share");
  registry.SetString(RegistryRoot::ClassesRoot, kClassKey, "", "Sample BHO");
  registry.SetValue(RegistryRoot::ClassesRoot, kServerKey, "",
                    platform::MakeStringValue(server, platform::value_type::kExpandString));
  versions.AddFile("C:\\windows\\system32\\sample.dll", FullResource());
  DetailsLookup lookup = Read();
  EXPECT_EQ(lookup.details.file_name, server);
  EXPECT_EQ(lookup.details.description, "Sample helper");
  EXPECT_EQ(lookup.loaded_file, "C:\\windows\\system32\\sample.dll");

  registry.SetString(RegistryRoot::ClassesRoot, kServerKey, "", server);
  lookup = Read();
  EXPECT_EQ(lookup.details.description, "");
  EXPECT_EQ(lookup.loaded_file, server);

  registry.SetValue(
      RegistryRoot::ClassesRoot, kServerKey, "",
      platform::MakeStringValue("%Evil%\\x.dll", platform::value_type::kExpandString));
  lookup = Read();
  EXPECT_EQ(lookup.details.file_name, "%Evil%\\x.dll");
  EXPECT_EQ(lookup.loaded_file, "");
  EXPECT_EQ(versions.reads(),
            (std::vector<std::string>{"C:\\windows\\system32\\sample.dll", server}));
}

TEST_F(ObjectDetailsTest, UncAndDevicePathsAreNeverRead) {
  for (const char* server :
       {"\\\\server\\share\\evil.dll", "//server/share/evil.dll", "\\/server\\share\\evil.dll",
        "\\\\.\\pipe\\evil", "//./COM1", "\\\\?\\C:\\evil.dll", "\\??\\C:\\evil.dll"}) {
    RegisterClass("Evil BHO", server);
    versions.AddFile(server, FullResource());
    const DetailsLookup lookup = Read();
    EXPECT_FALSE(lookup.no_info) << server;
    EXPECT_EQ(lookup.details.file_name, server);
    EXPECT_EQ(lookup.details.bho_name, "Evil BHO");
    EXPECT_EQ(lookup.details.description, "") << server;
  }
  EXPECT_TRUE(versions.reads().empty());
}

// Windows names a device by its namespace path when it makes the name
// absolute ("COM1:" becomes "\\.\COM1"): such a name is never read.
TEST_F(ObjectDetailsTest, NamesThatWindowsTakesForDevicesAreNeverRead) {
  for (const auto& [server, device] :
       {std::pair{"COM1:", "\\\\.\\COM1"}, std::pair{"C:\\Windows\\nul:", "\\\\.\\nul"},
        std::pair{"C:\\Windows\\COM1.dll:x", "\\\\.\\COM1"}}) {
    RegisterClass("Device", server);
    locator.AddFullPath(server, device);
    versions.AddFile(device, FullResource());
    const DetailsLookup lookup = Read();
    EXPECT_EQ(lookup.details.file_name, server);
    EXPECT_EQ(lookup.details.description, "") << server;
  }
  EXPECT_TRUE(versions.reads().empty());
}

TEST_F(ObjectDetailsTest, OrdinaryNamesThatLookLikeDevicesAreRead) {
  for (const char* server :
       {"C:\\console.dll", "C:\\com10.dll", "C:\\nuller\\x.dll", "C:\\COM.dll"}) {
    RegisterClass("Fine", server);
    Read();
  }
  EXPECT_EQ(versions.reads().size(), 4u);
}

TEST_F(ObjectDetailsTest, AMappedDriveIsReadThroughItsUncForm) {
  RegisterClass("Mapped", "Z:\\tools\\mapped.dll");
  locator.AddFullPath("Z:\\tools\\mapped.dll", "\\\\fileserver\\tools\\mapped.dll");
  versions.AddFile("\\\\fileserver\\tools\\mapped.dll", FullResource());
  const DetailsLookup lookup = Read();
  EXPECT_EQ(lookup.details.file_name, "Z:\\tools\\mapped.dll");
  EXPECT_EQ(lookup.details.description, "Sample helper");
}

// An object of the 32-bit view: its class registration in that view, and
// the file a 32-bit browser loads, which Windows takes from SysWOW64.
TEST_F(ObjectDetailsTest, AnObjectOfThe32BitViewIsReadAsA32BitBrowserSeesIt) {
  RegisterClass("64-bit class", kDll);
  registry.SetString(RegistryRoot::ClassesRoot, std::string("Wow6432Node\\") + kClassKey, "",
                     "32-bit class");
  registry.SetString(RegistryRoot::ClassesRoot, std::string("Wow6432Node\\") + kServerKey, "",
                     "C:\\Windows\\System32\\sample32.dll");
  versions.AddFile("C:\\Windows\\SysWOW64\\sample32.dll", FullResource());
  const DetailsLookup lookup = ReadObjectDetails(sources, kClsid, platform::RegistryView::k32);
  EXPECT_EQ(lookup.details.bho_name, "32-bit class");
  EXPECT_EQ(lookup.details.file_name, "C:\\Windows\\System32\\sample32.dll");
  EXPECT_EQ(lookup.details.description, "Sample helper");
  EXPECT_EQ(Read().details.bho_name, "64-bit class");
}

TEST(RedirectSystemFolder, MovesOnlyWhatLiesInsideTheSystemFolder) {
  const auto redirect = [](std::string_view path) {
    return platform::RedirectSystemFolder(path, "C:\\Windows\\System32", "C:\\Windows\\SysWOW64");
  };
  EXPECT_EQ(redirect("c:\\windows\\system32\\x.dll"), "C:\\Windows\\SysWOW64\\x.dll");
  EXPECT_EQ(redirect("C:\\Windows\\System32/sub/x.dll"), "C:\\Windows\\SysWOW64/sub/x.dll");
  EXPECT_EQ(redirect("C:\\Windows\\System32x\\x.dll"), "C:\\Windows\\System32x\\x.dll");
  EXPECT_EQ(redirect("C:\\Windows\\System32"), "C:\\Windows\\System32");
  EXPECT_EQ(redirect("D:\\Windows\\System32\\x.dll"), "D:\\Windows\\System32\\x.dll");
}

TEST_F(ObjectDetailsTest, ADefaultValueOfAnotherTypeIsAnError) {
  registry.SetDword(RegistryRoot::ClassesRoot, kClassKey, "", 5);
  EXPECT_EQ(ErrorOf([&] { Read(); }), "Invalid data type for ''");
}

}  // namespace
}  // namespace qb::scanner
