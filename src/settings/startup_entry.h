#pragma once

#include <string>
#include <string_view>

#include "platform/registry_backend.h"

namespace qb::settings {

// The per-user Run key and the value that starts the program with Windows.
inline constexpr char kRunKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Quellbright";

// The Run entry's data: the program path in double quotes, so that a path
// with blanks starts correctly, then " NoHint".
std::string StartupEntryText(std::string_view program_path);

// Writes the Run entry naming `program_path` when `start_with_windows` is set,
// otherwise deletes it; a missing entry is no error. The Run key is created
// when absent. Registry failures throw the store's errors.
void WriteStartupEntry(platform::RegistryBackend& registry, bool start_with_windows,
                       std::string_view program_path);

}  // namespace qb::settings
