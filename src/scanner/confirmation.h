#pragma once

#include <windows.h>

namespace qb::scanner {

// The confirmation `a`: "Are you sure?" with Yes and No, owned by `owner`.
// Returns IDYES (6) or IDNO (7); callers go on unless it is IDNO.
int a(HWND owner);

}  // namespace qb::scanner
