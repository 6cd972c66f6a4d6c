#include "scanner/list_entries.h"

namespace qb::scanner {

std::vector<std::string> ShownEntries(const std::vector<std::string>& entries) {
  std::vector<std::string> shown;
  for (const std::string& entry : entries) {
    if (entry.size() == 36) shown.push_back(entry);
  }
  return shown;
}

}  // namespace qb::scanner
