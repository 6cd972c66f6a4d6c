#pragma once

#include <string>
#include <vector>

#include "platform/window_list.h"

namespace qb::platform {

// Windows for native tests: a table of windows, and the close requests that
// the program posted to them.
class MemoryWindowList final : public WindowList {
 public:
  struct Window {
    WindowId id = 0;
    std::string title;
    std::string class_name;
    bool visible = true;
    bool maximize_box = false;
  };

  void Add(Window window) { windows_.push_back(std::move(window)); }
  // The window as the program sees it from now on (shown, titled, ...);
  // null when there is none.
  Window* Find(WindowId id);
  const Window* Find(WindowId id) const;

  std::vector<WindowId> VisibleTopLevelWindows() override;
  bool IsVisible(WindowId window) override;
  std::string Title(WindowId window) override;
  std::string ClassName(WindowId window) override;
  bool HasMaximizeBox(WindowId window) override;
  void PostClose(WindowId window) override { closed_.push_back(window); }

  // The windows asked to close, in the order asked, repeats included.
  const std::vector<WindowId>& close_requests() const { return closed_; }
  // How many windows the style of which was read.
  int style_reads() const { return style_reads_; }

 private:
  std::vector<Window> windows_;
  std::vector<WindowId> closed_;
  int style_reads_ = 0;
};

}  // namespace qb::platform
