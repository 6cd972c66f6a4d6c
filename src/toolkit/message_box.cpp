#include "toolkit/message_box.h"

#include "platform/win32/wide.h"

namespace qb::toolkit {

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  return ::MessageBoxW(owner, win32::Widen(text).c_str(), win32::Widen(caption).c_str(), flags);
}

}  // namespace qb::toolkit
