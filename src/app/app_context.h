#pragma once

#include <filesystem>

#include "lists/list_file.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/file_evidence.h"
#include "platform/file_locator.h"
#include "platform/files.h"
#include "platform/registry_backend.h"
#include "platform/version_info.h"
#include "scanner/removal.h"
#include "scanner/scanner_services.h"
#include "settings/settings.h"

namespace qb::app {

// What the windows of the program work with: the platform's services and
// the program-wide state, made once by the entry point.
struct AppContext {
  platform::RegistryBackend& registry;
  platform::Files& files;
  platform::Clock& clock;
  platform::FileLocator& locator;
  platform::VersionInfoReader& versions;
  platform::FileEvidence& evidence;
  // The 8-bit text of the list files and backups.
  const platform::CodePage& code_page;
  std::filesystem::path program_folder;
  lists::ClsidLists& lists;
  settings::Settings& settings;
  scanner::ObjectRemoval& removal;

  // What the Scanner page and the restore window take of it.
  scanner::ScannerServices scanner() const {
    return {registry, files, code_page, lists, settings, removal};
  }
};

}  // namespace qb::app
