#include "promo/web_link.h"

#include "platform/win32/shell.h"

namespace qb::promo {
namespace {

HWND OwnerOfAll(HWND window) {
  HWND top = ::GetAncestor(window, GA_ROOT);
  while (HWND owner = ::GetWindow(top, GW_OWNER)) top = owner;
  return top;
}

}  // namespace

void OpenWebLink(HWND from, std::string_view address) {
  win32::OpenWithShell(OwnerOfAll(from), address, SW_HIDE);
}

}  // namespace qb::promo
