// How long the program takes to fill its lists under Wine, against the bare
// cost of the same work: the scan of 200, 2,000 and 20,000 registered
// objects (from the click on Scan to a full, painted list) against
// enumerating the same keys and filling a hidden list with drawing off, and
// the opening of the Ignored page with 20,000 entries against filling a
// hidden list with them. Prints the ratio for each.
//
//   qb_fill_benchmark [--sizes 200,2000,20000] [--ignored 20000] [--repeat 5]
//
// It runs the real quellbright.exe from the Windows build (QB_BUILD_DIR), and
// replaces the registry's Browser Helper Objects and the program's settings:
// run it in a Wine prefix of its own.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fill/bare_fill.h"
#include "fill/program_fill.h"
#include "fill/stopwatch.h"
#include "harness/program.h"
#include "harness/registry_fixture.h"
#include "harness/ui.h"
#include "ui/control_ids.h"

namespace {

using qb::bench::HiddenList;
using qb::bench::Median;

struct Options {
  std::vector<int> sizes{200, 2000, 20000};
  int ignored = 20000;
  int repeat = 5;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--sizes") == 0) {
      options.sizes.clear();
      for (char* part = std::strtok(argv[i + 1], ","); part; part = std::strtok(nullptr, ",")) {
        options.sizes.push_back(std::atoi(part));
      }
    } else if (std::strcmp(argv[i], "--ignored") == 0) {
      options.ignored = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--repeat") == 0) {
      options.repeat = std::max(1, std::atoi(argv[i + 1]));
    }
  }
  return options;
}

std::wstring RandomClsid(std::mt19937& random) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring clsid = L"xxxxxxxx-xxxx-4xxx-8xxx-xxxxxxxxxxxx";
  for (wchar_t& c : clsid) {
    if (c == L'x') c = kDigits[random() % 16];
  }
  return clsid;
}

// A machine with `count` browser helper objects that no list knows.
void RegisterObjects(int count) {
  qb::e2e::ResetRegistry();
  qb::e2e::SetString(HKEY_CURRENT_USER, qb::e2e::kSettingsKey, L"AutoStart", L"0");
  HKEY objects = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, qb::e2e::kBhoKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &objects, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot create the Browser Helper Objects key\n");
    std::exit(1);
  }
  std::mt19937 random(static_cast<unsigned>(count));
  for (int i = 0; i < count; ++i) {
    HKEY object = nullptr;
    const std::wstring name = L"{" + RandomClsid(random) + L"}";
    if (::RegCreateKeyExW(objects, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &object,
                          nullptr) == ERROR_SUCCESS) {
      ::RegCloseKey(object);
    }
  }
  ::RegCloseKey(objects);
}

// The program, started from a fresh folder, on its Scanner section.
struct RunningProgram {
  qb::e2e::ProgramFolder folder;
  qb::e2e::Process process;
  HWND main = nullptr;

  bool Start() {
    process = folder.Start();
    main = qb::e2e::WaitForMainWindow(process);
    return main != nullptr;
  }
  HWND Control(int id) const { return qb::e2e::Control(main, id); }
};

struct Timing {
  double program = 0;  // median
  double bare = 0;
  double best_program = 0;  // the least disturbed run
  double best_bare = 0;
  double ratio() const { return bare > 0 ? program / bare : 0; }
  double best_ratio() const { return best_bare > 0 ? best_program / best_bare : 0; }
};

// Clicks `button` (after `between`, when given) and times it until `list`
// holds `expected` items and is painted.
double TimeClick(const RunningProgram& program, int button, int list, int expected,
                 int between = 0) {
  int count = 0;
  if (between) {
    qb::bench::TimeClickToPaintedList(program.Control(between), program.Control(list), count);
  }
  const double milliseconds =
      qb::bench::TimeClickToPaintedList(program.Control(button), program.Control(list), count);
  if (count != expected) {
    std::fprintf(stderr, "the list holds %d items, not %d\n", count, expected);
    std::exit(1);
  }
  return milliseconds;
}

// The program's and the bare samples alternate, so that both meet the same
// load of the machine; the medians.
template <typename ProgramRun, typename BareRun>
Timing Alternate(int repeat, ProgramRun program_run, BareRun bare_run) {
  std::vector<double> program;
  std::vector<double> bare;
  for (int i = 0; i < repeat; ++i) {
    program.push_back(program_run());
    bare.push_back(bare_run());
  }
  return {Median(program), Median(bare), *std::min_element(program.begin(), program.end()),
          *std::min_element(bare.begin(), bare.end())};
}

// Small lists take a few milliseconds: more samples steady their median.
int RepeatFor(int items, int repeat) { return std::max(repeat, std::min(25, 4000 / items)); }

RunningProgram& StartProgram(RunningProgram& program) {
  if (!program.Start()) {
    std::fprintf(stderr, "the program did not start\n");
    std::exit(1);
  }
  return program;
}

Timing MeasureScan(int objects, int repeat, double& first_scan) {
  RegisterObjects(objects);
  RunningProgram program;
  StartProgram(program);
  first_scan = TimeClick(program, qb::ids::kBtScan, qb::ids::kLbMain, objects);
  HiddenList list(qb::bench::CheckListStyle());
  qb::bench::BareScan(list);
  if (list.Count() != objects) {
    std::fprintf(stderr, "the bare scan found %d objects, not %d\n", list.Count(), objects);
    std::exit(1);
  }
  return Alternate(
      RepeatFor(objects, repeat),
      [&] { return TimeClick(program, qb::ids::kBtScan, qb::ids::kLbMain, objects); },
      [&] { return qb::bench::BareScan(list); });
}

Timing MeasureIgnoredPage(int entries, int repeat) {
  qb::e2e::ResetRegistry();
  qb::e2e::SetString(HKEY_CURRENT_USER, qb::e2e::kSettingsKey, L"AutoStart", L"0");
  std::mt19937 random(static_cast<unsigned>(entries));
  std::vector<std::wstring> clsids;
  std::string file;
  for (int i = 0; i < entries; ++i) {
    clsids.push_back(RandomClsid(random));
    file += std::string(clsids.back().begin(), clsids.back().end()) + "\r\n";
  }
  RunningProgram program;
  program.folder.Write(L"ICLSIDs.txt", file);
  StartProgram(program);
  const auto open_page = [&] {
    // From the Scanner section, as a user would come.
    return TimeClick(program, qb::ids::kBtIgnoredObjects, qb::ids::kLbIgnored, entries,
                     qb::ids::kBtScanner);
  };
  open_page();
  HiddenList list(qb::bench::PlainListStyle());
  qb::bench::BareFill(list, clsids);
  return Alternate(RepeatFor(entries, repeat), open_page,
                   [&] { return qb::bench::BareFill(list, clsids); });
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  // The program's list boxes are those of the common controls 6 (its
  // manifest asks for them); so are the baseline's (this program's manifest).
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  std::printf(
      "Scan: from the click on Scan to a full, painted list (median of at least %d rescans;\n"
      "the first scan of a fresh program apart), against enumerating the same keys and\n"
      "filling a hidden list box with drawing off. Best: the ratio of the fastest runs.\n\n"
      "%8s %12s %12s %12s %7s %7s %14s\n",
      options.repeat, "objects", "first scan", "rescan", "bare", "ratio", "best", "per object");
  std::vector<std::pair<int, double>> per_object;
  for (const int objects : options.sizes) {
    double first = 0;
    const Timing timing = MeasureScan(objects, options.repeat, first);
    std::printf("%8d %9.1f ms %9.1f ms %9.1f ms %7.2f %7.2f %11.2f us\n", objects, first,
                timing.program, timing.bare, timing.ratio(), timing.best_ratio(),
                1000 * timing.program / objects);
    std::fflush(stdout);
    per_object.emplace_back(objects, timing.program);
  }
  for (std::size_t i = 1; i < per_object.size(); ++i) {
    const auto [smaller, smaller_time] = per_object[i - 1];
    const auto [larger, larger_time] = per_object[i];
    std::printf("from %d to %d objects: %.1fx the objects, %.1fx the time\n", smaller, larger,
                static_cast<double>(larger) / smaller, larger_time / smaller_time);
  }
  if (options.ignored > 0) {
    const Timing timing = MeasureIgnoredPage(options.ignored, options.repeat);
    std::printf(
        "\nIgnored page with %d entries: from the click on its button to a full, painted list\n"
        "%.1f ms, filling a hidden list box with drawing off %.1f ms: ratio %.2f (best %.2f)\n",
        options.ignored, timing.program, timing.bare, timing.ratio(), timing.best_ratio());
  }
  qb::e2e::ResetRegistry();
  return 0;
}
