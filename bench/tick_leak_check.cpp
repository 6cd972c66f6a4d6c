// The guard runs for weeks: after 10,000 ticks the handles the program's
// wrappers hold, the process's kernel handles and the working set must be
// what they were after 100. Wine's GetProcessHandleCount and GetGuiResources
// give 0, so the wrappers count themselves in this build (QB_COUNT_HANDLES),
// and the kernel handles come from the system's handle table, which catches
// a handle that no wrapper holds. Exit code 0 when nothing grew.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "process_handles.h"
#include "tick_machine.h"

namespace {

struct Census {
  long handles;
  long kernel_handles;
  SIZE_T working_set;
};

Census Take() {
  PROCESS_MEMORY_COUNTERS memory{sizeof memory};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  return {qb::win32::HandleCensus::Live(), qb::bench::KernelHandlesOfThisProcess(),
          memory.WorkingSetSize};
}

}  // namespace

int main() {
  qb::bench::TickMachine machine;
  for (int i = 0; i < 100; ++i) machine.Tick();
  const Census after_100 = Take();
  for (int i = 100; i < 10000; ++i) machine.Tick();
  const Census after_10000 = Take();
  for (const auto& [ticks, census] : {std::pair{100, after_100}, std::pair{10000, after_10000}}) {
    std::printf("after %d ticks: %ld wrapped handles, %ld kernel handles, working set %zu KiB\n",
                ticks, census.handles, census.kernel_handles, census.working_set / 1024);
  }
  // The working set moves by a few pages with the system's own caches;
  // a leak of one allocation per tick would add far more than this.
  constexpr SIZE_T kSlack = 256 * 1024;
  // A system that lists no handles (-1) cannot tell; the wrappers still do.
  const bool handles_same = after_10000.handles == after_100.handles &&
                            after_10000.kernel_handles == after_100.kernel_handles;
  const bool memory_same = after_10000.working_set <= after_100.working_set + kSlack;
  std::printf("%s\n", handles_same && memory_same ? "no growth" : "GROWTH");
  return handles_same && memory_same ? 0 : 1;
}
