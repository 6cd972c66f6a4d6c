#include "harness/program.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "app/ticks_query.h"
#include "harness/ui.h"

namespace qb::e2e {
namespace {

using app::TicksQuery;

int AskTicks(HWND main, TicksQuery query) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(main, app::TicksQueryMessage(), query, 0, SMTO_ABORTIFHUNG, 5000,
                             &answer)) {
    return -1;
  }
  return static_cast<int>(static_cast<LRESULT>(answer));
}

}  // namespace

std::filesystem::path BuildFolder() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"QB_BUILD_DIR", buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("QB_BUILD_DIR is not set");
  return buffer;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
}

Process::Process(PROCESS_INFORMATION info) : process_(info.hProcess), id_(info.dwProcessId) {
  ::CloseHandle(info.hThread);
}

Process::~Process() { Reset(); }

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Reset();
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

void Process::Reset() {
  if (!process_) return;
  Close();
  ::CloseHandle(process_);
  process_ = nullptr;
}

bool Process::running() const {
  return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeout_ms) const {
  if (::WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

void Process::Close() {
  if (!running()) return;
  // Message boxes first, so that the close request is not held up by them.
  for (HWND box : TopLevelWindows(id_, L"#32770")) ::PostMessageW(box, WM_CLOSE, 0, 0);
  for (HWND window : TopLevelWindows(id_, L"TOrvex")) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_, 5000) == WAIT_OBJECT_0) return;
  ::TerminateProcess(process_, 99);
  ::WaitForSingleObject(process_, 5000);
}

ProgramFolder::ProgramFolder() : ProgramFolder(std::wstring()) {}

ProgramFolder::ProgramFolder(const std::wstring& subfolder) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wostringstream name;
  name << L"qb-e2e-" << ::GetCurrentProcessId() << L"-" << ::GetTickCount();
  root_ = std::filesystem::path(temp) / name.str();
  path_ = subfolder.empty() ? root_ : root_ / subfolder;
  std::filesystem::create_directories(path_);
  const std::filesystem::path source = BuildFolder() / L"program";
  for (const wchar_t* shipped :
       {L"quellbright.exe", L"quellbright.com", L"CLSIDs.txt", L"help.chm"}) {
    std::filesystem::copy_file(source / shipped, path_ / shipped);
  }
}

ProgramFolder::~ProgramFolder() {
  std::error_code ignored;
  // Through the "\\?\" form, which also removes files named after devices.
  std::filesystem::remove_all(L"\\\\?\\" + root_.wstring(), ignored);
}

void ProgramFolder::Write(const std::wstring& name, const std::string& bytes) const {
  WriteFileBytes(File(name), bytes);
}

bool ProgramFolder::WriteDeviceNamed(const std::wstring& name, const std::string& bytes) const {
  // The "\\?\" form reads no device names, so "COM1.reg" is a file here.
  const std::wstring path = L"\\\\?\\" + File(name).wstring();
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  ::CloseHandle(file);
  return ok;
}

std::optional<std::string> ProgramFolder::Read(const std::wstring& name) const {
  return ReadFileBytes(File(name));
}

void ProgramFolder::Remove(const std::wstring& name) const {
  std::error_code ignored;
  std::filesystem::remove(File(name), ignored);
}

std::vector<std::wstring> ProgramFolder::FilesIn(const std::wstring& subfolder) const {
  std::vector<std::wstring> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(path_ / subfolder, error)) {
    names.push_back(entry.path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}

Process ProgramFolder::Start(const std::wstring& arguments) const {
  const std::filesystem::path program = File(L"quellbright.exe");
  std::wstring command_line = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        path_.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start quellbright.exe (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  ::WaitForInputIdle(info.hProcess, 10000);
  return Process(info);
}

Process ProgramFolder::StartInCmd(const std::wstring& command) const {
  // The quotes around the whole command are cmd's own to take away.
  std::wstring command_line = L"cmd.exe /c \"" + command + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, path_.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start cmd.exe");
  }
  return Process(info);
}

HWND WaitForMainWindow(const Process& process, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopLevel(process.id(), L"TOrvex", L": Quellbright :");
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

int GuardTicksDone(HWND main) { return AskTicks(main, app::kGuardTicksDone); }
bool GuardRunning(HWND main) { return AskTicks(main, app::kGuardRunning) == 1; }
int PromotionTicksToCome(HWND main) { return AskTicks(main, app::kPromotionTicksToCome); }
int GuardEventRuns(HWND main) { return AskTicks(main, app::kGuardEventRuns); }
int GuardEventWakes(HWND main) { return AskTicks(main, app::kGuardEventWakes); }

}  // namespace qb::e2e
