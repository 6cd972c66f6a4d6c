#include "scanner/removal_paths.h"

namespace qb::scanner {

std::string RemovedKeyPath(std::string_view clsid) {
  return "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper Objects\\{" +
         std::string(clsid) + "}";
}

std::string BackupKeyName(std::string_view clsid) {
  return "HKEY_LOCAL_MACHINE\\" + RemovedKeyPath(clsid);
}

}  // namespace qb::scanner
