// How long the program takes to show its window, and how much memory it then
// holds, against a minimal Win32 program (a captioned window with a menu)
// measured in the same run: the two are started in turn, from
// CreateProcess to the first visible window of the process with the
// expected caption, and the working set is read two seconds later.
//
//   qb_start_benchmark [--runs 11]
//
// Eleven runs by default: on a shared machine the median of seven still
// moves by a tenth of the ratio from one run to the next.
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
  const char* name;
  std::filesystem::path program;
  std::wstring arguments;
  const wchar_t* caption;
  // For the program: the launches counted before this start. During the
  // first five starts the banner is hidden; from the sixth on it shows.
  int launches = -1;
  std::vector<double> ms;
  std::vector<double> mib;
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
  if (candidate.launches >= 0) qb::e2e::SetLaunchState(0, static_cast<DWORD>(candidate.launches));
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
  int runs = 11;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
  }
  // A window of this process keeps Wine's desktop and its tray running
  // between the starts, as Windows keeps its shell: neither program pays
  // for starting the shell.
  HWND desktop_keeper = ::CreateWindowExW(0, L"STATIC", L"start benchmark", WS_OVERLAPPED, 0, 0,
                                          10, 10, nullptr, nullptr, nullptr, nullptr);
  qb::e2e::ResetRegistry();
  const qb::e2e::ProgramFolder folder;
  const std::filesystem::path program = folder.File(L"quellbright.exe");
  std::vector<Candidate> candidates = {
      {"minimal window program", qb::e2e::BuildFolder() / L"bench" / L"qb_minimal_window.exe", L"",
       L": Minimal :"},
      {"quellbright.exe NOHIDE, banner hidden", program, L"NOHIDE", L": Quellbright :", 0},
      {"quellbright.exe NOHIDE, banner shown", program, L"NOHIDE", L": Quellbright :", 10},
  };

  // One start of each first, so that none pays for another's first loads
  // from the disk.
  for (const Candidate& candidate : candidates) Run(candidate);
  for (int run = 0; run < runs; ++run) {
    // Each run starts with another candidate, so that none always follows
    // the same one.
    for (std::size_t turn = 0; turn < candidates.size(); ++turn) {
      Candidate& candidate = candidates[(turn + static_cast<std::size_t>(run)) % candidates.size()];
      const std::optional<Launch> launch = Run(candidate);
      if (!launch) {
        std::fprintf(stderr, "%s did not show its window\n", candidate.name);
        return 1;
      }
      candidate.ms.push_back(launch->start_ms);
      candidate.mib.push_back(launch->working_set_mib);
    }
  }
  const Candidate& minimal = candidates.front();
  std::printf("%d runs each, medians: time from CreateProcess to the window, working set 2 s "
              "later\n",
              runs);
  for (const Candidate& candidate : candidates) {
    std::printf("  %-38s %7.1f ms %6.1f MiB", candidate.name, Median(candidate.ms),
                Median(candidate.mib));
    if (&candidate != &minimal) {
      std::printf("   ratios %.2f and %.2f", Median(candidate.ms) / Median(minimal.ms),
                  Median(candidate.mib) / Median(minimal.mib));
    }
    std::printf("\n");
  }
  std::printf("  goals: start-up ratio 1.3 at most, working set ratio 1.2 at most\n");
  ::DestroyWindow(desktop_keeper);
  return 0;
}
