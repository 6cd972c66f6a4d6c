#pragma once

#include <windows.h>

#include "scanner/removal.h"

namespace qb::scanner {

// Tells the user how a removal went: the success message when all went
// well; the warning of keys still registered instead of it; and, when only
// the backup is incomplete, the success message followed by that warning.
void ShowRemovalReport(HWND owner, const RemovalReport& report, const char* done_caption,
                       const char* done_text);

// The warning alone, for removals that have no success message of their
// own; nothing when all went well.
void ShowRemovalWarning(HWND owner, const RemovalReport& report);

}  // namespace qb::scanner
