// The guard runs for weeks: after 10,000 ticks the handles the program's
// wrappers hold and the working set must be what they were after 100. Wine
// counts no handles or GDI objects, so the wrappers count themselves in
// this build (QB_COUNT_HANDLES). Exit code 0 when nothing grew.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "platform/win32/unique_handle.h"
#include "tick_machine.h"

namespace {

struct Census {
  long handles;
  SIZE_T working_set;
};

Census Take() {
  PROCESS_MEMORY_COUNTERS memory{sizeof memory};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  return {qb::win32::HandleCensus::Live(), memory.WorkingSetSize};
}

}  // namespace

int main() {
  qb::bench::TickMachine machine;
  for (int i = 0; i < 100; ++i) machine.Tick();
  const Census after_100 = Take();
  for (int i = 100; i < 10000; ++i) machine.Tick();
  const Census after_10000 = Take();
  std::printf("after 100 ticks: %ld handles, working set %zu KiB\n", after_100.handles,
              after_100.working_set / 1024);
  std::printf("after 10000 ticks: %ld handles, working set %zu KiB\n", after_10000.handles,
              after_10000.working_set / 1024);
  // The working set moves by a few pages with the system's own caches;
  // a leak of one allocation per tick would add far more than this.
  constexpr SIZE_T kSlack = 256 * 1024;
  const bool handles_same = after_10000.handles == after_100.handles;
  const bool memory_same = after_10000.working_set <= after_100.working_set + kSlack;
  std::printf("%s\n", handles_same && memory_same ? "no growth" : "GROWTH");
  return handles_same && memory_same ? 0 : 1;
}
