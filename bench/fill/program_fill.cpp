#include "fill/program_fill.h"

#include "fill/stopwatch.h"

namespace qb::bench {

double TimeClickToPaintedList(HWND button, HWND list, int& count) {
  const Stopwatch watch;
  ::SendMessageW(button, BM_CLICK, 0, 0);
  // UpdateWindow on another process's window sends it WM_PAINT and waits
  // for it, when the window has anything left to paint.
  ::UpdateWindow(list);
  // When the program had begun to paint by itself, this waits until it is
  // done: a sent message is taken only between two others.
  ::SendMessageW(list, WM_NULL, 0, 0);
  const double milliseconds = watch.Milliseconds();
  count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  return milliseconds;
}

}  // namespace qb::bench
