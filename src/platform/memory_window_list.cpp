#include "platform/memory_window_list.h"

#include <utility>

namespace qb::platform {

std::vector<WindowId> MemoryWindowList::VisibleTopLevelWindows() {
  std::vector<WindowId> visible;
  for (const Window& window : windows_) {
    if (window.visible) visible.push_back(window.id);
  }
  return visible;
}

const MemoryWindowList::Window* MemoryWindowList::Find(WindowId id) const {
  for (const Window& window : windows_) {
    if (window.id == id) return &window;
  }
  return nullptr;
}

MemoryWindowList::Window* MemoryWindowList::Find(WindowId id) {
  return const_cast<Window*>(std::as_const(*this).Find(id));
}

bool MemoryWindowList::IsVisible(WindowId window) {
  const Window* found = Find(window);
  return found && found->visible;
}

std::string MemoryWindowList::Title(WindowId window) {
  const Window* found = Find(window);
  return found ? found->title.substr(0, 254) : std::string();
}

std::string MemoryWindowList::ClassName(WindowId window) {
  const Window* found = Find(window);
  return found ? found->class_name.substr(0, 127) : std::string();
}

bool MemoryWindowList::HasMaximizeBox(WindowId window) {
  ++style_reads_;
  const Window* found = Find(window);
  return !found || found->maximize_box;
}

}  // namespace qb::platform
