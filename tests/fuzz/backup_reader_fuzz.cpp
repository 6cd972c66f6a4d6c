// The backup reader on any bytes: it never fails other than by saying why,
// and what it accepts begins as a backup must.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scanner/backup_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qb::platform::Windows1252 ansi;
  const auto content = qb::scanner::ParseBackupText(text, ansi);
  if (content.ok() != content.problem().empty()) std::abort();
  if (!content) return 0;
  if (!text.starts_with("REGEDIT4")) std::abort();
  for (const auto& key : content->keys) {
    if (key.path.empty() || key.path.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  return 0;
}
