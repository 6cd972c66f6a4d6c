#pragma once

#include <windows.h>

// The program's own fills, timed from this process as a user would see them.
namespace qb::bench {

// Presses `button` in the running program and waits until its handler has
// run and `list` has painted what it then holds; milliseconds. The press is
// sent, not posted, so it returns when the handler has; nothing the button
// does may open a modal box. `count` receives the list's item count.
double TimeClickToPaintedList(HWND button, HWND list, int& count);

}  // namespace qb::bench
