#include "platform/files.h"

#include "platform/error.h"
#include "platform/utf.h"

namespace qb::platform {

std::string PathText(const std::filesystem::path& path) {
  // Windows names are UTF-16 that need not be valid (NTFS takes a lone
  // surrogate), and the library's own conversion throws on those.
  const auto& native = path.native();
  if constexpr (sizeof(native[0]) == sizeof(char16_t)) {
    return Utf16ToUtf8({reinterpret_cast<const char16_t*>(native.data()), native.size()});
  } else {
    return std::string(native.begin(), native.end());
  }
}

void ThrowCannotCreate(const std::filesystem::path& path) {
  throw Error("Cannot create file " + PathText(path));
}

}  // namespace qb::platform
