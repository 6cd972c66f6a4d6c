#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "harness/program.h"

// Runs the built installer (quellbright-2.0-setup.exe) and its uninstaller,
// and looks at what they leave: files, shortcut, registry.
namespace qb::e2e {

inline constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quellbright";

std::filesystem::path SetupProgram();
std::filesystem::path ProgramFilesFolder();
// The Start menu shortcut, in the Programs folder of all users.
std::filesystem::path StartMenuShortcut();
// The file a shortcut starts, or nullopt when it cannot be read.
std::optional<std::filesystem::path> ShortcutTarget(const std::filesystem::path& shortcut);

// Starts a command line; Process ends it when it is destroyed.
Process StartCommand(const std::wstring& command_line);
// Runs a command line to its end; its exit code, or nullopt after the time.
std::optional<DWORD> RunCommand(const std::wstring& command_line, DWORD timeout_ms = 60000);
// Runs the installer silently, into `folder` when one is given.
std::optional<DWORD> InstallSilently(const std::optional<std::filesystem::path>& folder);
// Runs the registered quiet uninstall command as "Add or remove programs"
// would, and waits for the copy of the uninstaller that does the work.
bool UninstallSilently(DWORD timeout_ms = 60000);

// Starts the registered uninstall command, whose pages the copy of the
// uninstaller shows; their window, or nullptr when none came.
HWND StartUninstallerPages();
// True once the copy of the uninstaller has ended.
bool WaitForUninstallerCopy(DWORD timeout_ms = 60000);

// Starts quellbright.exe of an installed program folder.
Process StartInstalled(const std::filesystem::path& folder);

}  // namespace qb::e2e
