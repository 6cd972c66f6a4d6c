#include "harness/installation.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <stdexcept>

#include "harness/registry_fixture.h"
#include "harness/ui.h"

namespace qb::e2e {
namespace {

std::filesystem::path KnownFolder(int csidl) {
  wchar_t path[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
    throw std::runtime_error("no such shell folder");
  }
  return path;
}

// The uninstaller copies itself to the temporary folder as Un.exe (Au_.exe
// before NSIS 3) and lets that copy work.
bool UninstallerCopyRuns() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32W entry{sizeof entry};
  bool found = false;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found;
       more = ::Process32NextW(snapshot, &entry)) {
    found = _wcsicmp(entry.szExeFile, L"Un.exe") == 0 || _wcsicmp(entry.szExeFile, L"Au_.exe") == 0;
  }
  ::CloseHandle(snapshot);
  return found;
}

struct CaptionSearch {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK FindByCaptionPrefix(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<CaptionSearch*>(data);
  if (::IsWindowVisible(window) && TextOf(window).starts_with(search->prefix)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Wine turns every new Start menu shortcut into a desktop entry of the
// Unix user; the tests' shortcuts must not land there.
void KeepShortcutsInThePrefix() {
  static bool done = false;
  if (done) return;
  wchar_t buffer[1024] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"WINEDLLOVERRIDES", buffer, 1024);
  std::wstring overrides = length > 0 && length < 1024 ? buffer : L"";
  if (!overrides.empty()) overrides += L";";
  ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (overrides + L"winemenubuilder.exe=d").c_str());
  done = true;
}

}  // namespace

std::filesystem::path SetupProgram() { return BuildFolder() / L"quellbright-2.0-setup.exe"; }

std::filesystem::path ProgramFilesFolder() { return KnownFolder(CSIDL_PROGRAM_FILES); }

std::filesystem::path StartMenuShortcut() {
  return KnownFolder(CSIDL_COMMON_PROGRAMS) / L"Quellbright.lnk";
}

std::optional<std::filesystem::path> ShortcutTarget(const std::filesystem::path& shortcut) {
  const HRESULT initialised = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::optional<std::filesystem::path> target;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t path[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
          SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        target = path;
      }
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(initialised)) ::CoUninitialize();
  return target;
}

Process StartCommand(const std::wstring& command_line) {
  KeepShortcutsInThePrefix();
  std::wstring command = command_line;
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    throw std::runtime_error("cannot start a command");
  }
  return Process(info);
}

std::optional<DWORD> RunCommand(const std::wstring& command_line, DWORD timeout_ms) {
  return StartCommand(command_line).WaitForExit(timeout_ms);
}

std::optional<DWORD> InstallSilently(const std::optional<std::filesystem::path>& folder) {
  std::wstring command = L"\"" + SetupProgram().wstring() + L"\" /S";
  // /D= comes last and unquoted, blanks and all.
  if (folder) command += L" /D=" + folder->wstring();
  return RunCommand(command);
}

bool UninstallSilently(DWORD timeout_ms) {
  const auto command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
  if (!command) return false;
  if (RunCommand(*command, timeout_ms) != 0u) return false;
  return WaitForUninstallerCopy(timeout_ms);
}

HWND StartUninstallerPages() {
  const auto command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString");
  if (!command || RunCommand(*command) != 0u) return nullptr;
  // The copy's window: another process than the one started, hence by caption.
  CaptionSearch search{L"Quellbright Uninstall"};
  WaitUntil([&] {
    ::EnumWindows(FindByCaptionPrefix, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

bool WaitForUninstallerCopy(DWORD timeout_ms) {
  return WaitUntil([] { return !UninstallerCopyRuns(); }, timeout_ms);
}

Process StartInstalled(const std::filesystem::path& folder) {
  const std::filesystem::path program = folder / L"quellbright.exe";
  std::wstring command_line = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start the installed quellbright.exe");
  }
  ::WaitForInputIdle(info.hProcess, 10000);
  return Process(info);
}

}  // namespace qb::e2e
