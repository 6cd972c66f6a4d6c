#pragma once

#include "platform/window_list.h"

namespace qb::win32 {

// The desktop's top-level windows, read through user32.
class Win32WindowList final : public platform::WindowList {
 public:
  std::vector<platform::WindowId> VisibleTopLevelWindows() override;
  bool IsVisible(platform::WindowId window) override;
  std::string Title(platform::WindowId window) override;
  std::string ClassName(platform::WindowId window) override;
  bool HasMaximizeBox(platform::WindowId window) override;
  void PostClose(platform::WindowId window) override;
};

}  // namespace qb::win32
