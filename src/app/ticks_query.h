#pragma once

#include <windows.h>

namespace qb::app {

// The registered message "Quellbright.Ticks", through which the end-to-end
// tests ask the main window how far its timers and the guard's events have
// come, so that they wait for the program instead of sleeping. wParam is
// the question, the answer the result.
inline UINT TicksQueryMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Quellbright.Ticks");
  return message;
}

enum TicksQuery : WPARAM {
  kGuardTicksDone,
  kGuardRunning,
  kPromotionTicksToCome,
  kGuardEventRuns,
  kGuardEventWakes,
};

}  // namespace qb::app
