#include "guardian/switches.h"

namespace qb::guardian {

bool IsSwitch(std::string_view first_argument, std::string_view word) {
  if (first_argument.size() != word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = first_argument[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[i]) return false;
  }
  return true;
}

}  // namespace qb::guardian
