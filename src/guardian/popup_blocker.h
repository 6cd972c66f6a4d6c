#pragma once

#include <array>
#include <string_view>

#include "platform/window_list.h"

// The pop-up blocker: browser windows that cannot be maximised are asked to
// close.
namespace qb::guardian {

// Class-name fragments of the browser's windows, tested in this order and
// with their capitals as they stand.
inline constexpr std::array<std::string_view, 3> PopupWindowClasses = {
    "IEFrame", "IFRAME", "Internet Explorer_TridentDlgFrame"};

// How many of the fragments the class name holds: each one means a close
// request for a titled window without a maximise box.
int MatchingFragments(std::string_view class_name);

// One pass over the visible top-level windows: every window with a title
// whose class name holds a fragment and that has no maximise box gets a
// close request, one per fragment found. Keeps nothing between passes.
void RunPopupPass(platform::WindowList& windows);

// The same rule for one window that a window event named.
enum class NewWindowCheck {
  kDone,    // asked to close, or no pop-up: nothing more to do
  kNotYet,  // a browser window's class, not shown or without a title yet
};
NewWindowCheck CheckNewWindow(platform::WindowList& windows, platform::WindowId window);

}  // namespace qb::guardian
