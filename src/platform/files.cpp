#include "platform/files.h"

#include "platform/error.h"

namespace qb::platform {

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void ThrowCannotCreate(const std::filesystem::path& path) {
  throw Error("Cannot create file " + PathText(path));
}

}  // namespace qb::platform
