#include "scanner/confirmation.h"

#include "toolkit/message_box.h"

namespace qb::scanner {

int a(HWND owner) {
  return toolkit::ShowMessageBox(owner, "Are you sure?",
                                 ": Question :", MB_YESNO | MB_ICONQUESTION);
}

}  // namespace qb::scanner
