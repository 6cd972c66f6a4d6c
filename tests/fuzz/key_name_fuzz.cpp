// Registry names as the programs this tool removes may write them, any
// UTF-16 units: the CLSID of a key name is part of the name and never cuts a
// character in two, and the printable form of a name holds nothing but
// printable ASCII, so no name can break a line of a backup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/utf.h"
#include "scanner/backup.h"
#include "scanner/helper_objects.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string name;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    name += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  }
  const std::u16string clsid = qb::scanner::ClsidFromKeyName(name);
  if (qb::platform::CharacterCount(clsid) > 36) std::abort();
  const auto lead = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
  const auto trail = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
  // The characters after the first, in the name's own units.
  const std::size_t first = name.size() >= 2 && lead(name[0]) && trail(name[1]) ? 2 : 1;
  if (name.empty()) {
    if (!clsid.empty()) std::abort();
  } else if (name.compare(first, clsid.size(), clsid) != 0) {
    std::abort();
  }
  // A character outside the basic plane is never cut in two.
  const std::size_t next = first + clsid.size();
  if (!clsid.empty() && lead(clsid.back()) && next < name.size() && trail(name[next])) std::abort();
  for (char c : qb::scanner::PrintableName(name)) {
    if (c < 0x20 || c > 0x7E) std::abort();
  }
  return 0;
}
