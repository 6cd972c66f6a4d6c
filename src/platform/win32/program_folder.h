#pragma once

#include <filesystem>

namespace qb::win32 {

// The full path of the running program file.
std::filesystem::path ProgramFile();
// The folder that holds the program file: lists, help file and backups live here.
std::filesystem::path ProgramFolder();

}  // namespace qb::win32
