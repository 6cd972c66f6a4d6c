#include "guardian/popup_blocker.h"

#include <string>
#include <vector>

namespace qb::guardian {

int MatchingFragments(std::string_view class_name) {
  int matches = 0;
  for (std::string_view fragment : PopupWindowClasses) {
    if (class_name.find(fragment) != std::string_view::npos) ++matches;
  }
  return matches;
}

void RunPopupPass(platform::WindowList& windows) {
  const std::vector<platform::WindowId> visible = windows.VisibleTopLevelWindows();
  for (platform::WindowId window : visible) {
    if (windows.Title(window).empty()) continue;
    const int matches = MatchingFragments(windows.ClassName(window));
    for (int i = 0; i < matches; ++i) {
      if (!windows.HasMaximizeBox(window)) windows.PostClose(window);
    }
  }
}

}  // namespace qb::guardian
