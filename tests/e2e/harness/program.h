#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Runs the real quellbright.exe from a fresh program folder of its own.
namespace qb::e2e {

// The Windows build's folder (QB_BUILD_DIR): it holds program\ and samples\.
std::filesystem::path BuildFolder();

// The main window's caption, which the program's error box shares.
inline constexpr wchar_t kProgramCaption[] = L": Quellbright :";

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Makes the folders on the way.
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// A running (or ended) copy of the program.
class Process {
 public:
  Process() = default;
  explicit Process(PROCESS_INFORMATION info);
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;

  DWORD id() const { return id_; }
  bool running() const;
  // Waits for the end; the exit code, or nullopt when it did not end in time.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms = 10000) const;
  // Closes the main window, and ends the process if that does not work.
  void Close();

 private:
  void Reset();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

class ProgramFolder {
 public:
  // A new folder under the temporary folder, holding quellbright.exe, its
  // console companion quellbright.com and the shipped CLSIDs.txt and
  // help.chm. With `subfolder`, the program lives in that subfolder of the
  // new folder ("with blanks", say).
  ProgramFolder();
  explicit ProgramFolder(const std::wstring& subfolder);
  ~ProgramFolder();

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path File(const std::wstring& name) const { return path_ / name; }

  void Write(const std::wstring& name, const std::string& bytes) const;
  // Writes a file whose name Windows takes for a device ("backup\COM1.reg"),
  // as another program can make one; false when it could not.
  bool WriteDeviceNamed(const std::wstring& name, const std::string& bytes) const;
  std::optional<std::string> Read(const std::wstring& name) const;
  void Remove(const std::wstring& name) const;
  // The files of a subfolder ("backup"), by name, sorted.
  std::vector<std::wstring> FilesIn(const std::wstring& subfolder) const;

  // Starts the program with `arguments` (the command line after the program).
  Process Start(const std::wstring& arguments = L"") const;
  // Starts `command` as a script runs it: through cmd.exe /c, in this folder.
  // cmd's exit code is then the code of the last command it ran.
  Process StartInCmd(const std::wstring& command) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path path_;
};

// The main window of the process: class TOrvex, caption ": Quellbright :".
HWND WaitForMainWindow(const Process& process, DWORD timeout_ms = 15000);

// How far the program's timers have got, as its main window answers when
// asked (-1 when it does not): the guard's ticks that ran to their end;
// whether the guard runs (its timer is on, or a tick is under way); the
// promotion timer's ticks still to come, 0 once it has stopped for good;
// the runs of the guard's work that events started; how often the guard's
// events woke the program (messages, window events, registry notifications).
int GuardTicksDone(HWND main);
bool GuardRunning(HWND main);
int PromotionTicksToCome(HWND main);
int GuardEventRuns(HWND main);
int GuardEventWakes(HWND main);

}  // namespace qb::e2e
