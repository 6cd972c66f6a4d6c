#include "guardian/popup_blocker.h"

#include <string>
#include <vector>

namespace qb::guardian {
namespace {

void AskToClose(platform::WindowList& windows, platform::WindowId window, int matches) {
  for (int i = 0; i < matches; ++i) {
    if (!windows.HasMaximizeBox(window)) windows.PostClose(window);
  }
}

}  // namespace

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
    AskToClose(windows, window, MatchingFragments(windows.ClassName(window)));
  }
}

// A window is announced when it is made, often before it is shown or has
// its title; its class name is fixed from the start.
NewWindowCheck CheckNewWindow(platform::WindowList& windows, platform::WindowId window) {
  const int matches = MatchingFragments(windows.ClassName(window));
  if (matches == 0) return NewWindowCheck::kDone;
  if (!windows.IsVisible(window) || windows.Title(window).empty()) return NewWindowCheck::kNotYet;
  AskToClose(windows, window, matches);
  return NewWindowCheck::kDone;
}

}  // namespace qb::guardian
