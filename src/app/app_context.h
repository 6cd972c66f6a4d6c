#pragma once

#include <filesystem>

#include "lists/list_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry_backend.h"

namespace qb::app {

// What the windows of the program work with: the platform's services and
// the program-wide state, made once by the entry point.
struct AppContext {
  platform::RegistryBackend& registry;
  platform::Files& files;
  platform::Clock& clock;
  std::filesystem::path program_folder;
  lists::ClsidLists& lists;
};

}  // namespace qb::app
