#pragma once

#include <stdexcept>
#include <string>

namespace qb {

// The one error type of the program. Thrown by the layer that meets a failure
// (registry, files) with the text the user will read; caught only at the
// toolkit's boundaries, where Windows calls into the program.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The text of the application's default error box: the message, with a full
// stop added when its last character sorts after ".".
std::string ErrorBoxText(const std::string& message);

}  // namespace qb
