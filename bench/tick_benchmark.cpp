// The guard's tick on an unchanged machine (50 known or ignored objects, 100
// top-level windows), against the same system calls in a bare loop. Runs
// under Wine; prints the ratio of the two.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tick_machine.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double MicrosecondsPerRun(Work&& work, int runs) {
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < runs; ++i) work();
  ::QueryPerformanceCounter(&end);
  return Seconds(start, end) * 1e6 / runs;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  qb::bench::TickMachine machine;
  constexpr int kRounds = 7;
  constexpr int kRuns = 300;
  // Warm both paths first: the registry and window caches of the server.
  MicrosecondsPerRun([&] { machine.Tick(); }, 50);
  MicrosecondsPerRun([&] { machine.BareCalls(); }, 50);
  std::vector<double> tick;
  std::vector<double> bare;
  for (int round = 0; round < kRounds; ++round) {
    tick.push_back(MicrosecondsPerRun([&] { machine.Tick(); }, kRuns));
    bare.push_back(MicrosecondsPerRun([&] { machine.BareCalls(); }, kRuns));
  }
  const double tick_us = Median(tick);
  const double bare_us = Median(bare);
  std::printf("tick %.1f us, bare system calls %.1f us, ratio %.3f (target <= 1.2)\n", tick_us,
              bare_us, tick_us / bare_us);
  return 0;
}
