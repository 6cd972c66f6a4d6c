#pragma once

#include <string>

namespace qb::win32 {

// The program's first command-line argument, empty when there is none.
std::string FirstArgument();

}  // namespace qb::win32
