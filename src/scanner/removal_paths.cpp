#include "scanner/removal_paths.h"

#include "platform/utf.h"

namespace qb::scanner {

std::u16string InBraces(std::u16string_view clsid) { return u"{" + std::u16string(clsid) + u"}"; }

std::u16string RemovedKeyPath(std::u16string_view clsid) {
  return platform::Utf8ToUtf16(kRemovedKeyParent) + u"\\" + InBraces(clsid);
}

std::u16string BackupKeyName(std::u16string_view clsid) {
  return u"HKEY_LOCAL_MACHINE\\" + RemovedKeyPath(clsid);
}

}  // namespace qb::scanner
