#pragma once

#include <string>
#include <vector>

namespace qb::win32 {

// The program's command-line arguments, without the program's own name.
std::vector<std::wstring> Arguments();

// The command line after the program's own name, as it was given (quotes
// and all), for a program that passes its arguments on to another.
std::wstring ArgumentText();

// The program's first command-line argument, empty when there is none.
std::string FirstArgument();

}  // namespace qb::win32
