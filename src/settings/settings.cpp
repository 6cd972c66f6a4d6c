#include "settings/settings.h"

#include "registry/ini_store.h"

namespace qb::settings {
namespace {

registry::IniStore OpenStore(platform::RegistryBackend& registry) {
  return registry::IniStore(registry, platform::RegistryRoot::CurrentUser, kStoreKey);
}

}  // namespace

void LoadSettings(Settings& s, platform::RegistryBackend& registry) {
  registry::IniStore store = OpenStore(registry);
  const auto flag = [&](const char* name, bool& value, bool fallback) {
    value = store.ReadBool(kSection, name, fallback);
  };
  flag("MakeBackup", s.MakeBackup, true);
  flag("StartMinimized", s.StartMinimized, true);
  flag("AutoStart", s.AutoStart, true);
  flag("StartWW", s.StartWW, true);
  flag("TrayHint", s.TrayHint, false);
  s.HomePage = store.ReadString(kSection, "HomePage", product::kDefaultHomePage);
  flag("SetHomePage", s.SetHomePage, false);
  flag("EnablePopUpBlocker", s.EnablePopUpBlocker, true);
  flag("CloseNoMaximize", s.CloseNoMaximize, true);
  flag("SGConfirm", s.SGConfirm, true);
  s.GotoVodUridazur = store.ReadInteger(kSection, "GotoVodUridazur", kAnswerNo);
}

void SaveSettings(const Settings& s, platform::RegistryBackend& registry) {
  registry::IniStore store = OpenStore(registry);
  store.WriteBool(kSection, "MakeBackup", s.MakeBackup);
  store.WriteBool(kSection, "StartMinimized", s.StartMinimized);
  store.WriteBool(kSection, "AutoStart", s.AutoStart);
  store.WriteBool(kSection, "StartWW", s.StartWW);
  store.WriteBool(kSection, "SetHomePage", s.SetHomePage);
  store.WriteString(kSection, "HomePage", s.HomePage);
  store.WriteBool(kSection, "TrayHint", s.TrayHint);
  store.WriteBool(kSection, "EnablePopUpBlocker", s.EnablePopUpBlocker);
  store.WriteBool(kSection, "CloseNoMaximize", s.CloseNoMaximize);
}

void SaveScanAnswer(Settings& s, platform::RegistryBackend& registry, bool ask_again,
                    std::int32_t answer) {
  registry::IniStore store = OpenStore(registry);
  store.WriteBool(kSection, "SGConfirm", ask_again);
  store.WriteInteger(kSection, "GotoVodUridazur", answer);
  s.SGConfirm = ask_again;
  s.GotoVodUridazur = answer;
}

}  // namespace qb::settings
