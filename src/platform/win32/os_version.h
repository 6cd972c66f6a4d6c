#pragma once

namespace qb::win32 {

// Whether the system is of the NT family, from major version `major` on.
bool IsNtFrom(unsigned major);

}  // namespace qb::win32
