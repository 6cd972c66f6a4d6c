#pragma once

#include "promo/index_dump.h"

namespace qb::promo {

// The system's ANSI code page, byte by byte; a byte that is no character
// on its own (a lead byte of a double-byte code page) shows as '?'.
CodePageTable AnsiCodePageTable();

}  // namespace qb::promo
