// How long the program takes to show its window, and how much memory it then
// holds, against a minimal Win32 program (a captioned window with a menu)
// measured in the same run: the two are started in turn, from
// CreateProcess to the first visible window of the process with the
// expected caption, and the working set is read two seconds later.
//
//   qb_start_benchmark [--runs 7]
//
// It runs the real quellbright.exe from the Windows build (QB_BUILD_DIR)
// with NOHIDE, as a program that has run before (no promotion window), and
// replaces the program's settings: run it in a Wine prefix of its own.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "harness/program.h"
#include "harness/promotions.h"
#include "harness/registry_fixture.h"
#include "harness/ui.h"

namespace {

struct Launch {
  double start_ms;
  double working_set_mib;
};

struct Candidate {
  std::filesystem::path program;
  std::wstring arguments;
  const wchar_t* caption;
};

double Now() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND VisibleWindow(DWORD process_id, const wchar_t* caption) {
  for (HWND window : qb::e2e::TopLevelWindows(process_id)) {
    if (::IsWindowVisible(window) && qb::e2e::TextOf(window) == caption) return window;
  }
  return nullptr;
}

std::optional<Launch> Run(const Candidate& candidate) {
  std::wstring command_line = L"\"" + candidate.program.wstring() + L"\" " + candidate.arguments;
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION info{};
  const double started = Now();
  if (!::CreateProcessW(candidate.program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, candidate.program.parent_path().c_str(), &startup, &info)) {
    return std::nullopt;
  }
  qb::e2e::Process process(info);
  HWND window = nullptr;
  while (!(window = VisibleWindow(process.id(), candidate.caption))) {
    if (!process.running() || Now() - started > 20000) return std::nullopt;
    ::Sleep(1);
  }
  const double shown = Now();
  ::Sleep(2000);
  PROCESS_MEMORY_COUNTERS memory{sizeof memory};
  ::GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  process.WaitForExit(10000);
  return Launch{shown - started, static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0)};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
  }
  // A window of this process keeps Wine's desktop and its tray running
  // between the starts, as Windows keeps its shell: neither program pays
  // for starting the shell.
  HWND desktop_keeper = ::CreateWindowExW(0, L"STATIC", L"start benchmark", WS_OVERLAPPED, 0, 0,
                                          10, 10, nullptr, nullptr, nullptr, nullptr);
  qb::e2e::ResetRegistry();
  qb::e2e::SetLaunchState(0, 0);
  const qb::e2e::ProgramFolder folder;
  const Candidate minimal{qb::e2e::BuildFolder() / L"bench" / L"qb_minimal_window.exe", L"",
                          L": Minimal :"};
  const Candidate program{folder.File(L"quellbright.exe"), L"NOHIDE", L": Quellbright :"};

  // One start of each first, so that neither pays for the other's first
  // loads from the disk.
  Run(minimal);
  Run(program);
  std::vector<double> minimal_ms, minimal_mib, program_ms, program_mib;
  for (int run = 0; run < runs; ++run) {
    // Alternating which goes first, so that neither always follows the other.
    for (int turn = 0; turn < 2; ++turn) {
      const bool program_turn = (turn == 0) == (run % 2 == 1);
      const std::optional<Launch> launch = Run(program_turn ? program : minimal);
      if (!launch) {
        std::fprintf(stderr, "a start did not show its window\n");
        return 1;
      }
      (program_turn ? program_ms : minimal_ms).push_back(launch->start_ms);
      (program_turn ? program_mib : minimal_mib).push_back(launch->working_set_mib);
    }
  }
  const double start_ratio = Median(program_ms) / Median(minimal_ms);
  const double memory_ratio = Median(program_mib) / Median(minimal_mib);
  std::printf("%d runs each, medians\n", runs);
  std::printf("  minimal window program: %7.1f ms to its window, %5.1f MiB working set\n",
              Median(minimal_ms), Median(minimal_mib));
  std::printf("  quellbright.exe NOHIDE: %7.1f ms to its window, %5.1f MiB working set\n",
              Median(program_ms), Median(program_mib));
  std::printf("  start-up ratio %.2f (goal 1.3 at most), working set ratio %.2f (goal 1.2 at most)\n",
              start_ratio, memory_ratio);
  ::DestroyWindow(desktop_keeper);
  return 0;
}
