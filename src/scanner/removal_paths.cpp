#include "scanner/removal_paths.h"

#include "platform/utf.h"

namespace qb::scanner {

std::u16string InBraces(std::u16string_view clsid) { return u"{" + std::u16string(clsid) + u"}"; }

std::u16string RemovedKeyPath(std::u16string_view clsid) {
  return platform::Utf8ToUtf16(kRemovedKeyParent) + u"\\" + InBraces(clsid);
}

}  // namespace qb::scanner
