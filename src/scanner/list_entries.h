#pragma once

#include <string>
#include <vector>

namespace qb::scanner {

// The entries a list page shows: those of exactly 36 characters, the length
// of a CLSID text, in list order and with duplicates.
std::vector<std::string> ShownEntries(const std::vector<std::string>& entries);

}  // namespace qb::scanner
