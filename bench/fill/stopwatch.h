#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace qb::bench {

// Wall-clock time since construction, from the performance counter.
class Stopwatch {
 public:
  Stopwatch() { ::QueryPerformanceCounter(&start_); }

  double Milliseconds() const {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start_;
};

// The middle sample: one slow run (a registry flush, another process) does
// not move it.
inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

}  // namespace qb::bench
