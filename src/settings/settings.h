#pragma once

#include <cstdint>
#include <string>

#include "platform/registry_backend.h"
#include "product/maker.h"

namespace qb::settings {

// The program's options, one set for the whole run. Each bears the name of
// its registry value under HKEY_CURRENT_USER\Software\Tarnwick\Quellbright,
// where all are stored as text.
struct Settings {
  bool MakeBackup = true;
  bool StartMinimized = true;
  bool AutoStart = true;
  bool StartWW = true;
  bool TrayHint = false;
  bool SetHomePage = false;
  std::string HomePage = product::kDefaultHomePage;
  bool EnablePopUpBlocker = true;
  // Stored, loaded and shown in the options dialog; nothing acts on it.
  bool CloseNoMaximize = true;
  bool SGConfirm = true;
  // The remembered answer to the question after a clean scan: 6 goes to
  // the Vod Uridazur section, anything else stays.
  std::int32_t GotoVodUridazur = 7;
};

inline constexpr char kStoreKey[] = "Software\\Tarnwick";
inline constexpr char kSection[] = "Quellbright";
inline constexpr std::int32_t kAnswerYes = 6;
inline constexpr std::int32_t kAnswerNo = 7;

// Reads all eleven settings, each with its default, in a fixed order. Writes
// nothing, but creates HKEY_CURRENT_USER\Software\Tarnwick when absent. On a
// registry error the settings read before it keep their new values.
void LoadSettings(Settings& settings, platform::RegistryBackend& registry);

// Writes nine settings: all but SGConfirm and GotoVodUridazur, which only
// the answer to the question and the reset of warnings write.
void SaveSettings(const Settings& settings, platform::RegistryBackend& registry);

// Stores the answer to the question after a clean scan (and its reset), in
// the registry and in memory.
void SaveScanAnswer(Settings& settings, platform::RegistryBackend& registry, bool ask_again,
                    std::int32_t answer);

}  // namespace qb::settings
