// The list file reader on any bytes: what it reads is exactly the text of
// the file up to its first NUL without the line breaks, and what the writer
// makes of it reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lists/list_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto entries = qb::lists::ParseListText(bytes);

  std::string expected;
  for (const char c : bytes.substr(0, bytes.find('\0'))) {
    if (c != '\r' && c != '\n') expected += c;
  }
  std::string joined;
  for (const auto& entry : entries) {
    if (entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) std::abort();
    joined += entry;
  }
  if (joined != expected) std::abort();

  if (qb::lists::ParseListText(qb::lists::FormatListText(entries)) != entries) std::abort();
  return 0;
}
