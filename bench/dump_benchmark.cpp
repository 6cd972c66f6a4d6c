// How long the demo window takes to show an index file under Wine, against
// reading and formatting the same bytes in a plain loop: the real
// nfury_index.dat (480 KiB) and a file of 16 MiB. Prints the ratio for
// each, and how soon a key or the stop button ends a dump of the large file.
//
//   qb_dump_benchmark [--repeat 7]
//
// It runs the real quellbright.exe from the Windows build (QB_BUILD_DIR) and
// sets the program's settings and the shell folders: run it in a Wine prefix
// of its own.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dump/plain_dump.h"
#include "fill/stopwatch.h"
#include "harness/program.h"
#include "harness/promotions.h"
#include "harness/registry_fixture.h"
#include "harness/ui.h"
#include "ui/control_ids.h"

namespace {

using qb::bench::Median;
using qb::bench::Stopwatch;
namespace ids = qb::ids;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(1);
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The program on its demo window, reading the History file only.
struct DemoProgram {
  qb::e2e::ProgramFolder folder;
  qb::e2e::Process process;
  HWND main = nullptr;
  HWND demo = nullptr;
  std::filesystem::path index_file;

  void Start(qb::e2e::ShellFolders& folders) {
    const std::filesystem::path history = folder.path() / L"History";
    std::filesystem::create_directories(history / L"History.IE5");
    folders.Set(L"History", history);
    index_file = history / L"History.IE5" / L"index.dat";
    WriteBytes(index_file, "x");
    process = folder.Start(L"NOHIDE");
    main = qb::e2e::WaitForMainWindow(process);
    if (!main) Fail("the program did not start");
    if (!qb::e2e::WaitUntil([&] {
          demo = qb::e2e::FindTopLevel(process.id(), L"TDemo", nullptr);
          return demo && ::IsWindowVisible(demo);
        })) {
      Fail("the demo window did not appear");
    }
    for (int box : {ids::kDCache, ids::kDCookies}) {
      qb::e2e::Click(Control(box));
      if (!qb::e2e::WaitUntil([&] { return !qb::e2e::IsChecked(Control(box)); })) {
        Fail("a box could not be unticked");
      }
    }
  }
  HWND Control(int id) const { return qb::e2e::Control(demo, id); }
  bool Idle() const { return ::IsWindowEnabled(Control(ids::kDemoButton1)) != 0; }

  // From the press on "View the demo" to the pane painted with the whole
  // file; milliseconds. The press is sent, not posted, so it returns when
  // the reading has ended; nothing on the way may open a message box.
  double TimeView(std::size_t expected_length) {
    HWND pane = Control(ids::kMemo2);
    const Stopwatch watch;
    ::SendMessageW(Control(ids::kDemoButton1), BM_CLICK, 0, 0);
    // UpdateWindow on another process's window sends it WM_PAINT and waits
    // for it; a sent message waits for a paint already under way.
    ::UpdateWindow(pane);
    ::SendMessageW(pane, WM_NULL, 0, 0);
    const double milliseconds = watch.Milliseconds();
    if (static_cast<std::size_t>(::SendMessageW(pane, WM_GETTEXTLENGTH, 0, 0)) != expected_length) {
      Fail("the pane does not hold the whole file");
    }
    return milliseconds;
  }

  // From a stop (a key in the pane, or the stop button) during a dump to
  // the buttons enabled again; milliseconds, or a negative number when the
  // dump ended before the stop.
  double TimeStop(bool by_key, std::size_t full_length) {
    HWND pane = Control(ids::kMemo2);
    ::PostMessageW(Control(ids::kDemoButton1), BM_CLICK, 0, 0);
    // The reading has begun once the button is disabled (the pane still
    // holds the last file's lines before that), and lines are shown soon
    // after.
    while (Idle()) ::SwitchToThread();
    while (::SendMessageW(pane, WM_GETTEXTLENGTH, 0, 0) == 0) ::SwitchToThread();
    const Stopwatch watch;
    if (by_key) {
      ::PostMessageW(pane, WM_KEYDOWN, VK_SPACE, 1);
      ::PostMessageW(pane, WM_KEYUP, VK_SPACE, 0xC0000001);
    } else {
      ::PostMessageW(Control(ids::kSpeedButton1), BM_CLICK, 0, 0);
    }
    while (!Idle()) ::SwitchToThread();
    const double milliseconds = watch.Milliseconds();
    const auto length = static_cast<std::size_t>(::SendMessageW(pane, WM_GETTEXTLENGTH, 0, 0));
    return length < full_length ? milliseconds : -1;
  }
};

struct Timing {
  double program = 0;  // median
  double plain = 0;
  double best_program = 0;  // the least disturbed runs
  double best_plain = 0;
};

Timing MeasureView(DemoProgram& program, const std::string& bytes, int repeat) {
  const std::filesystem::path copy = program.folder.path() / L"plain.dat";
  WriteBytes(program.index_file, bytes);
  WriteBytes(copy, bytes);
  std::wstring text;
  qb::bench::PlainDump(copy, text);
  const std::size_t expected = text.size();
  program.TimeView(expected);  // warms the file cache and the pane
  std::vector<double> shown;
  std::vector<double> plain;
  for (int i = 0; i < repeat; ++i) {
    shown.push_back(program.TimeView(expected));
    plain.push_back(qb::bench::PlainDump(copy, text));
    if (text.size() != expected) Fail("the plain loop gave another text");
  }
  return {Median(shown), Median(plain), *std::min_element(shown.begin(), shown.end()),
          *std::min_element(plain.begin(), plain.end())};
}

int ParseRepeat(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0) return std::max(1, std::atoi(argv[i + 1]));
  }
  return 7;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeat = ParseRepeat(argc, argv);
  qb::e2e::ResetRegistry();
  qb::e2e::SetLaunchState(15, 2);  // the demo window appears at the first tick
  qb::e2e::SetString(HKEY_CURRENT_USER, qb::e2e::kSettingsKey, L"AutoStart", L"0");
  qb::e2e::ShellFolders folders;
  DemoProgram program;
  program.Start(folders);

  const std::string real =
      ReadBytes(qb::e2e::BuildFolder() / L"samples" / L"index.dat" / L"nfury_index.dat");
  if (real.empty()) Fail("samples\\index.dat\\nfury_index.dat is missing");
  std::string large;
  while (large.size() < (16u << 20)) large += real;
  large.resize(16u << 20);

  // What a press costs whatever the file: the window's round trip, the
  // buttons and a repaint, measured on an empty file.
  const Timing empty = MeasureView(program, std::string(), repeat);
  std::printf(
      "Demo dump: from the press on \"View the demo\" to the pane painted with the whole\n"
      "file (median of %d), against reading the file and formatting its lines in a plain\n"
      "loop. A press on an empty file takes %.1f ms (the round trip to the window, its\n"
      "buttons and a repaint under Wine); \"beyond\" leaves that out.\n\n"
      "%-16s %10s %11s %11s %8s %8s\n",
      repeat, empty.program, "file", "bytes", "demo", "plain", "ratio", "beyond");
  for (const auto& [name, bytes] :
       {std::pair<const char*, const std::string&>{"nfury_index.dat", real}, {"16 MiB", large}}) {
    const Timing timing = MeasureView(program, bytes, repeat);
    std::printf("%-16s %10zu %8.1f ms %8.1f ms %8.2f %8.2f\n", name, bytes.size(), timing.program,
                timing.plain, timing.program / timing.plain,
                std::max(0.0, timing.program - empty.program) / timing.plain);
    std::fflush(stdout);
  }

  // Stops come at the first lines shown, 50 ms into the dump: a file of
  // 256 MiB takes long enough for them to arrive before its end.
  std::string huge;
  huge.reserve(256u << 20);
  while (huge.size() < (256u << 20)) huge += large;
  WriteBytes(program.index_file, huge);
  const std::size_t full_length = (huge.size() + 25) / 26 * 28;
  huge.clear();
  huge.shrink_to_fit();
  std::printf("\nA stop during the dump of a file of 256 MiB, until the buttons are enabled:\n");
  for (const bool by_key : {true, false}) {
    std::vector<double> stops;
    int missed = 0;
    for (int i = 0; i < repeat; ++i) {
      const double milliseconds = program.TimeStop(by_key, full_length);
      if (milliseconds < 0) {
        ++missed;
      } else {
        stops.push_back(milliseconds);
      }
    }
    if (stops.empty()) {
      std::printf("  by %s: every dump ended before the stop arrived\n",
                  by_key ? "a key" : "the button");
      continue;
    }
    std::printf("  by %-10s median %.1f ms, longest %.1f ms (%zu stops%s)\n",
                by_key ? "a key:" : "the button:", Median(stops),
                *std::max_element(stops.begin(), stops.end()), stops.size(),
                missed ? ", some dumps ended first" : "");
  }
  program.process.Close();
  qb::e2e::ResetRegistry();
  return 0;
}
