#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/win32/unique_handle.h"

namespace qb::win32 {

// The clipboard, open for this window while the scope lives (OpenClipboard
// ... CloseClipboard). Another program may hold it: then it stays closed
// and nothing can be put on it.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
  ~ClipboardScope() { Close(); }

  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  ClipboardScope(ClipboardScope&& other) noexcept : open_(std::exchange(other.open_, false)) {}
  ClipboardScope& operator=(ClipboardScope&& other) noexcept {
    if (this != &other) {
      Close();
      open_ = std::exchange(other.open_, false);
    }
    return *this;
  }

  explicit operator bool() const { return open_; }

  // Replaces what the clipboard holds with `text`; false when it could not.
  bool SetText(std::wstring_view text) {
    if (!open_ || !::EmptyClipboard()) return false;
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!memory || !CopyInto(memory.get(), text)) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    // The clipboard owns the memory once it has taken it.
    (void)memory.release();
    return true;
  }

 private:
  static bool CopyInto(HGLOBAL memory, std::wstring_view text) {
    auto* target = static_cast<wchar_t*>(::GlobalLock(memory));
    if (!target) return false;
    *std::copy(text.begin(), text.end(), target) = L'\0';
    ::GlobalUnlock(memory);
    return true;
  }

  void Close() {
    if (std::exchange(open_, false)) ::CloseClipboard();
  }

  bool open_;
};

}  // namespace qb::win32
