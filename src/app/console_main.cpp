// quellbright.com, the console companion of quellbright.exe. A program built
// for windows gives its exit code to nobody who does not wait for it: an
// interactive cmd returns at once and PowerShell sets no $LASTEXITCODE. This
// one is built for the console, so both wait for it and read its code; it
// runs the modes for administrators itself, the very code quellbright.exe
// runs, and hands any other command line to quellbright.exe beside it.
#include <windows.h>

#include "app/command_modes.h"
#include "app/mode_output.h"
#include "platform/files.h"
#include "platform/win32/command_line.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/unique_handle.h"

namespace {

constexpr int kNotStarted = 2;

// Starts the windowed program with the same arguments, as typing its name
// would have, and does not wait for it: it may guard the machine for hours.
int StartWindowedProgram() {
  const std::filesystem::path program = qb::win32::ProgramFolder() / L"quellbright.exe";
  std::wstring command_line = L"\"" + program.wstring() + L"\"";
  if (const std::wstring arguments = qb::win32::ArgumentText(); !arguments.empty()) {
    command_line += L" " + arguments;
  }
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
    qb::app::Tell("cannot start " + qb::platform::PathText(program));
    return kNotStarted;
  }
  const qb::win32::UniqueKernelHandle process(started.hProcess);
  const qb::win32::UniqueKernelHandle thread(started.hThread);
  return 0;
}

}  // namespace

int wmain(int, wchar_t**) {
  if (const auto code = qb::app::RunCommandMode(qb::win32::Arguments())) return *code;
  return StartWindowedProgram();
}
