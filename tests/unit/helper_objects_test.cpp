#include "scanner/helper_objects.h"

#include <gtest/gtest.h>

#include "platform/memory_files.h"
#include "platform/memory_registry.h"

namespace qb::scanner {
namespace {

using platform::RegistryRoot;

constexpr char16_t kKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr char16_t kKnown[] = u"0055C089-8582-441B-A0BF-17B458C2A3A8";
constexpr char16_t kIgnored[] = u"11111111-1111-1111-1111-111111111111";
constexpr char16_t kBlocked[] = u"22222222-2222-2222-2222-222222222222";
constexpr char16_t kUnknown[] = u"33333333-3333-3333-3333-333333333333";

std::u16string Braced(std::u16string_view clsid) { return u"{" + std::u16string(clsid) + u"}"; }

TEST(ClsidFromKeyName, TakesThe36CharactersAfterTheFirst) {
  EXPECT_EQ(ClsidFromKeyName(Braced(kUnknown)), kUnknown);
  EXPECT_EQ(ClsidFromKeyName(kUnknown), std::u16string(kUnknown).substr(1));
  EXPECT_EQ(ClsidFromKeyName(u"{short}"), u"short}");
  EXPECT_EQ(ClsidFromKeyName(u"x"), u"");
  EXPECT_EQ(ClsidFromKeyName(u""), u"");
  EXPECT_EQ(ClsidFromKeyName(Braced(kUnknown) + u"-and-more"), kUnknown);
}

// Characters, not bytes or code units: a non-ASCII first character is one
// character, and a character outside the basic plane is never cut in two.
TEST(ClsidFromKeyName, CountsCharacters) {
  EXPECT_EQ(ClsidFromKeyName(u"\u00E9" + std::u16string(kUnknown) + u"}"), kUnknown);
  EXPECT_EQ(ClsidFromKeyName(u"\U0001F600" + std::u16string(kUnknown)), kUnknown);
  const std::u16string wide_tail = std::u16string(35, u'A') + u"\U0001F600";
  EXPECT_EQ(ClsidFromKeyName(u"{" + wide_tail + u"}"), wide_tail);
  // Names keep every unit, a NUL and a lone surrogate included.
  const std::u16string odd = u"AB" + std::u16string(1, u'\0') + u"\xD800" + u"CD";
  EXPECT_EQ(ClsidFromKeyName(u"{" + odd), odd);
}

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Put("/p/CLSIDs.txt", std::string("x\r\n") + "0055c089-8582-441b-a0bf-17b458c2a3a8\r\n");
    files.Put("/p/ICLSIDs.txt",
              "11111111-1111-1111-1111-111111111111\r\n"
              "\xE9"
              "5555555-5555-5555-5555-555555555555\r\n");
    files.Put("/p/BCLSIDs.txt", "22222222-2222-2222-2222-222222222222\r\n");
    lists.Load();
  }

  void Register(const std::u16string& name) {
    registry.CreateKey(RegistryRoot::LocalMachine, std::u16string(kKey) + u"\\" + name);
  }

  std::vector<std::u16string> Scan() {
    std::vector<std::u16string> clsids;
    for (const RegisteredObject& object : FindSuspiciousObjects(registry, {lists, ansi})) {
      clsids.push_back(object.clsid);
    }
    return clsids;
  }

  platform::MemoryRegistry registry;
  platform::MemoryFiles files;
  lists::ClsidLists lists{files, "/p"};
  platform::Windows1252 ansi;
};

TEST_F(ScanTest, ListsWhatNeitherTheDatabaseNorTheIgnoredListHolds) {
  for (const char16_t* clsid : {kKnown, kIgnored, kBlocked, kUnknown}) Register(Braced(clsid));
  Register(u"odd");
  Register(u"{44444444-4444-4444-4444-444444444444-extra}");

  // In enumeration order, which sorts "odd" before the braced names.
  EXPECT_EQ(Scan(), (std::vector<std::u16string>{u"dd", kBlocked, kUnknown,
                                                 u"44444444-4444-4444-4444-444444444444"}));
}

// The lists are 8-bit text: a registry name is compared in the ANSI code
// page, so the ignored entry whose first byte is 0xE9 holds the object whose
// name starts with U+00E9.
TEST_F(ScanTest, ComparesRegistryNamesWithTheListsInTheAnsiCodePage) {
  Register(u"{\u00E95555555-5555-5555-5555-555555555555}");
  Register(u"{\u01355555555-5555-5555-5555-555555555555}");
  EXPECT_EQ(Scan(), std::vector<std::u16string>{u"\u01355555555-5555-5555-5555-555555555555"});
}

TEST_F(ScanTest, AMissingKeyGivesNoObjects) { EXPECT_TRUE(Scan().empty()); }

// A user without administrator rights may read HKLM but not write it: the
// scan must still see the objects.
TEST_F(ScanTest, AKeyTheUserMayOnlyReadIsScannedAllTheSame) {
  Register(Braced(kUnknown));
  registry.Protect(RegistryRoot::LocalMachine, "SOFTWARE");
  EXPECT_EQ(Scan(), std::vector<std::u16string>{kUnknown});
}

// A 32-bit browser reads the 32-bit view, under Wow6432Node.
constexpr char16_t kKey32[] =
    u"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

TEST(RegisteredObjects, CoverBothViewsAndNameEachObjectOnce) {
  using platform::RegistryView;
  platform::MemoryRegistry registry;
  const auto add = [&](const char16_t* key, const std::u16string& name) {
    registry.CreateKey(RegistryRoot::LocalMachine, std::u16string(key) + u"\\" + name);
  };
  add(kKey, Braced(kUnknown));
  add(kKey, Braced(kKnown));
  add(kKey32, u"{00000000-0000-0000-0000-000000000032}");
  add(kKey32, u"{0055c089-8582-441b-a0bf-17b458c2a3a8}");  // kKnown in small letters

  // The program's own view first, in its order; then what only the 32-bit
  // view holds. An object in both views is one object.
  EXPECT_EQ(RegisteredObjects(registry),
            (std::vector<RegisteredObject>{
                {kKnown, {RegistryView::k64, RegistryView::k32}},
                {kUnknown, {RegistryView::k64}},
                {u"00000000-0000-0000-0000-000000000032", {RegistryView::k32}}}));
  EXPECT_EQ(ViewsRegistering(registry, u"00000000-0000-0000-0000-000000000032"),
            std::vector<RegistryView>{RegistryView::k32});
  EXPECT_EQ(ViewForDetails(registry, u"00000000-0000-0000-0000-000000000032"), RegistryView::k32);
  EXPECT_EQ(ViewForDetails(registry, kKnown), RegistryView::k64);
  EXPECT_EQ(ViewForDetails(registry, u"not registered"), RegistryView::k64);
}

TEST(RegisteredObjects, AMachineWithOneViewHasNoSecondList) {
  platform::MemoryRegistry registry(false);
  registry.CreateKey(RegistryRoot::LocalMachine, std::u16string(kKey32) + u"\\" + Braced(kKnown));
  EXPECT_TRUE(RegisteredObjects(registry).empty());
}

TEST_F(ScanTest, TheScanChangesNoList) {
  Register(Braced(kUnknown));
  Scan();
  EXPECT_EQ(files.write_count(), 0);
}

}  // namespace
}  // namespace qb::scanner
