#include "settings/startup_entry.h"

#include "registry/ini_store.h"

namespace qb::settings {

std::string StartupEntryText(std::string_view program_path) {
  return "\"" + std::string(program_path) + "\" NoHint";
}

void WriteStartupEntry(platform::RegistryBackend& registry, bool start_with_windows,
                       std::string_view program_path) {
  registry::IniStore store(registry, platform::RegistryRoot::CurrentUser, kRunKey);
  if (start_with_windows) {
    store.WriteString("", kRunValueName, StartupEntryText(program_path));
  } else {
    store.DeleteValue("", kRunValueName);
  }
}

}  // namespace qb::settings
