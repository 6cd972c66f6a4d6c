#include "promo/code_page.h"

#include <windows.h>

namespace qb::promo {

CodePageTable AnsiCodePageTable() {
  CodePageTable table{};
  for (int byte = 0; byte < 256; ++byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t wide = L'?';
    if (::MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1) != 1) wide = L'?';
    table[static_cast<std::size_t>(byte)] = static_cast<char16_t>(wide);
  }
  return table;
}

}  // namespace qb::promo
