#include "settings/startup_entry.h"

#include <gtest/gtest.h>

#include "error_matchers.h"
#include "platform/memory_registry.h"
#include "settings/option_choices.h"

namespace qb::settings {
namespace {

using platform::MemoryRegistry;
using platform::RegistryRoot;
using platform::StringValueText;
using qb::testing::ErrorOf;

constexpr auto kUser = RegistryRoot::CurrentUser;
constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::string> RunEntry(const MemoryRegistry& registry) {
  const auto value = registry.GetValue(kUser, kRun, "Quellbright");
  if (!value) return std::nullopt;
  EXPECT_EQ(value->type, platform::value_type::kString);
  return StringValueText(*value);
}

TEST(StartupEntry, NamesTheQuotedProgramPathFollowedByNoHint) {
  MemoryRegistry registry;
  WriteStartupEntry(registry, true, "C:\\Program Files\\Quell bright\\quellbright.exe");
  EXPECT_EQ(RunEntry(registry), "\"C:\\Program Files\\Quell bright\\quellbright.exe\" NoHint");
}

TEST(StartupEntry, EveryWriteNamesThePresentPathAndLeavesOtherEntries) {
  MemoryRegistry registry;
  registry.SetString(kUser, kRun, "Other", "other.exe");
  WriteStartupEntry(registry, true, "C:\\old\\quellbright.exe");
  WriteStartupEntry(registry, true, "D:\\new place\\quellbright.exe");
  EXPECT_EQ(RunEntry(registry), "\"D:\\new place\\quellbright.exe\" NoHint");
  EXPECT_EQ(registry.ValueNamesOf(kUser, kRun),
            (std::vector<std::u16string>{u"Other", u"Quellbright"}));
}

TEST(StartupEntry, ClearDeletesTheEntryAndAMissingOneIsNoError) {
  MemoryRegistry registry;
  WriteStartupEntry(registry, true, "C:\\q.exe");
  WriteStartupEntry(registry, false, "C:\\q.exe");
  EXPECT_EQ(RunEntry(registry), std::nullopt);
  EXPECT_EQ(ErrorOf([&] { WriteStartupEntry(registry, false, "C:\\q.exe"); }), "(no error)");
  EXPECT_TRUE(registry.KeyExists(kUser, kRun));
}

TEST(StartupEntry, ARunKeyThatCannotBeCreatedIsReported) {
  MemoryRegistry registry;
  registry.CreateKey(kUser, "Software\\Microsoft\\Windows\\CurrentVersion");
  registry.Protect(kUser, "Software\\Microsoft\\Windows\\CurrentVersion");
  EXPECT_EQ(ErrorOf([&] { WriteStartupEntry(registry, true, "C:\\q.exe"); }),
            "Failed to create key Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

TEST(OptionChoices, CopyingKeepsTheRememberedAnswerAndTheTrayHint) {
  Settings settings;
  settings.SGConfirm = false;
  settings.GotoVodUridazur = 6;
  settings.TrayHint = true;
  OptionChoices choices;
  choices.MakeBackup = false;
  choices.StartWW = false;
  choices.HomePage = "";
  choices.EnablePopUpBlocker = false;
  CopyChoices(choices, settings);

  EXPECT_FALSE(settings.MakeBackup);
  EXPECT_FALSE(settings.StartWW);
  EXPECT_EQ(settings.HomePage, "");
  EXPECT_FALSE(settings.EnablePopUpBlocker);
  EXPECT_FALSE(settings.SGConfirm);
  EXPECT_EQ(settings.GotoVodUridazur, 6);
  EXPECT_TRUE(settings.TrayHint);
  // The dialog's defaults are the settings' defaults.
  const OptionChoices from_defaults = ChoicesFrom(Settings{});
  const OptionChoices defaults;
  EXPECT_EQ(from_defaults.HomePage, defaults.HomePage);
  EXPECT_EQ(from_defaults.StartWW, defaults.StartWW);
  EXPECT_EQ(from_defaults.SetHomePage, defaults.SetHomePage);
}

}  // namespace
}  // namespace qb::settings
