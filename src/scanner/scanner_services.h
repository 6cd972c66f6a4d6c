#pragma once

#include "lists/list_file.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/registry_backend.h"
#include "scanner/removal.h"
#include "settings/settings.h"

namespace qb::scanner {

// What the Scanner page and the restore window work with, all owned by
// whoever assembles the program.
struct ScannerServices {
  platform::RegistryBackend& registry;
  platform::Files& files;
  // The 8-bit text of the list files and backups.
  const platform::CodePage& code_page;
  lists::ClsidLists& lists;
  settings::Settings& settings;
  ObjectRemoval& removal;
};

}  // namespace qb::scanner
