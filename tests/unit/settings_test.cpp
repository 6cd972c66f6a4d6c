#include "settings/settings.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_registry.h"

namespace qb::settings {
namespace {

using platform::MemoryRegistry;
using platform::RegistryRoot;
using qb::testing::ErrorOf;

constexpr auto kUser = RegistryRoot::CurrentUser;
constexpr char kKey[] = "Software\\Tarnwick\\Quellbright";

TEST(Settings, AFirstRunGivesTheDefaultsAndWritesNothing) {
  MemoryRegistry registry;
  Settings settings;
  settings.MakeBackup = false;
  settings.HomePage = "changed";
  settings.GotoVodUridazur = 1;
  LoadSettings(settings, registry);

  const Settings defaults;
  EXPECT_TRUE(settings.MakeBackup);
  EXPECT_TRUE(settings.StartMinimized);
  EXPECT_TRUE(settings.AutoStart);
  EXPECT_TRUE(settings.StartWW);
  EXPECT_FALSE(settings.TrayHint);
  EXPECT_FALSE(settings.SetHomePage);
  EXPECT_EQ(settings.HomePage, product::kDefaultHomePage);
  EXPECT_TRUE(settings.EnablePopUpBlocker);
  EXPECT_TRUE(settings.CloseNoMaximize);
  EXPECT_TRUE(settings.SGConfirm);
  EXPECT_EQ(settings.GotoVodUridazur, 7);
  EXPECT_TRUE(registry.KeyExists(kUser, "Software\\Tarnwick"));
  EXPECT_FALSE(registry.KeyExists(kUser, kKey));
}

TEST(Settings, StoredTextIsReadByTheIntegerRules) {
  MemoryRegistry registry;
  registry.SetString(kUser, kKey, "AutoStart", "2");
  registry.SetString(kUser, kKey, "StartMinimized", "yes");
  registry.SetString(kUser, kKey, "MakeBackup", "");
  registry.SetString(kUser, kKey, "TrayHint", "yes");
  registry.SetString(kUser, kKey, "StartWW", "0");
  registry.SetString(kUser, kKey, "GotoVodUridazur", "6");
  registry.SetString(kUser, kKey, "HomePage", "");
  Settings settings;
  LoadSettings(settings, registry);

  EXPECT_TRUE(settings.AutoStart);
  EXPECT_TRUE(settings.StartMinimized);
  EXPECT_TRUE(settings.MakeBackup);
  EXPECT_FALSE(settings.TrayHint);
  EXPECT_FALSE(settings.StartWW);
  EXPECT_EQ(settings.GotoVodUridazur, 6);
  EXPECT_EQ(settings.HomePage, "");
}

TEST(Settings, AWrongTypeStopsTheLoadWhereItStands) {
  MemoryRegistry registry;
  registry.SetString(kUser, kKey, "MakeBackup", "0");
  registry.SetString(kUser, kKey, "SetHomePage", "1");
  registry.SetDword(kUser, kKey, "HomePage", 1);
  Settings settings;

  EXPECT_EQ(ErrorOf([&] { LoadSettings(settings, registry); }), "Invalid data type for 'HomePage'");
  EXPECT_FALSE(settings.MakeBackup);   // read before the failing value
  EXPECT_FALSE(settings.SetHomePage);  // read after it: unchanged
}

TEST(Settings, SaveWritesNineValuesInOrderAsText) {
  MemoryRegistry registry;
  Settings settings;
  settings.StartWW = false;
  settings.HomePage = "http://home.example/";
  SaveSettings(settings, registry);

  EXPECT_EQ(registry.ValueNamesOf(kUser, kKey),
            (std::vector<std::u16string>{u"MakeBackup", u"StartMinimized", u"AutoStart", u"StartWW",
                                         u"SetHomePage", u"HomePage", u"TrayHint",
                                         u"EnablePopUpBlocker", u"CloseNoMaximize"}));
  EXPECT_EQ(registry.GetValue(kUser, kKey, "StartWW"), platform::MakeStringValue("0"));
  EXPECT_EQ(registry.GetValue(kUser, kKey, "MakeBackup"), platform::MakeStringValue("1"));
  EXPECT_EQ(registry.GetValue(kUser, kKey, "HomePage"),
            platform::MakeStringValue("http://home.example/"));
}

TEST(Settings, SavingNeverUndoesTheRememberedAnswer) {
  MemoryRegistry registry;
  Settings settings;
  SaveScanAnswer(settings, registry, false, kAnswerYes);
  EXPECT_FALSE(settings.SGConfirm);
  EXPECT_EQ(settings.GotoVodUridazur, 6);

  Settings other;  // defaults: SGConfirm true, GotoVodUridazur 7
  SaveSettings(other, registry);
  EXPECT_EQ(registry.GetValue(kUser, kKey, "SGConfirm"), platform::MakeStringValue("0"));
  EXPECT_EQ(registry.GetValue(kUser, kKey, "GotoVodUridazur"), platform::MakeStringValue("6"));

  Settings loaded;
  LoadSettings(loaded, registry);
  EXPECT_FALSE(loaded.SGConfirm);
  EXPECT_EQ(loaded.GotoVodUridazur, 6);
}

}  // namespace
}  // namespace qb::settings
