#include "guardian/popup_blocker.h"

#include <gtest/gtest.h>

#include "guardian/popup_watch.h"
#include "platform/memory_window_list.h"

namespace qb::guardian {
namespace {

using Window = platform::MemoryWindowList::Window;

struct Case {
  const char* name;
  Window window;
  int close_requests;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class PopupRuleTest : public ::testing::TestWithParam<Case> {};

// The tick's pass and a window event's look at one window apply one rule.
TEST_P(PopupRuleTest, ClosesExactlyTitledUnmaximisableBrowserWindows) {
  platform::MemoryWindowList windows;
  windows.Add(GetParam().window);
  RunPopupPass(windows);
  EXPECT_EQ(windows.close_requests().size(), static_cast<std::size_t>(GetParam().close_requests));

  platform::MemoryWindowList named;
  named.Add(GetParam().window);
  CheckNewWindow(named, GetParam().window.id);
  EXPECT_EQ(named.close_requests(), windows.close_requests());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PopupRuleTest,
    ::testing::Values(
        Case{"browser pop-up", {1, "Ad", "IEFrame", true, false}, 1},
        Case{"browser with maximise box", {1, "Ad", "IEFrame", true, true}, 0},
        Case{"no title", {1, "", "IEFrame", true, false}, 0},
        Case{"hidden", {1, "Ad", "IEFrame", false, false}, 0},
        Case{"other capitals", {1, "Ad", "ieframe", true, false}, 0},
        Case{"other capitals of IFRAME", {1, "Ad", "IFrame", true, false}, 0},
        Case{"fragment inside a name", {1, "Ad", "MyIFRAMEHost", true, false}, 1},
        Case{"dialog frame", {1, "Ad", "Internet Explorer_TridentDlgFrame", true, false}, 1},
        // "IEFrame" does not contain "IFRAME" (case-sensitive), but this does.
        Case{"two fragments", {1, "Ad", "IEFrame IFRAME", true, false}, 2},
        Case{"unrelated class", {1, "Ad", "Notepad", true, false}, 0}),
    [](const ::testing::TestParamInfo<Case>& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(PopupPassTest, VisitsEveryWindowInOrderAndReadsStylesOnlyOfCandidates) {
  platform::MemoryWindowList windows;
  windows.Add({7, "One", "IEFrame", true, false});
  windows.Add({8, "Two", "Edit", true, false});
  windows.Add({9, "Three", "IFRAME", true, false});
  RunPopupPass(windows);
  EXPECT_EQ(windows.close_requests(), (std::vector<platform::WindowId>{7, 9}));
  EXPECT_EQ(windows.style_reads(), 2);

  // Nothing is kept: a window that stays is asked again.
  RunPopupPass(windows);
  EXPECT_EQ(windows.close_requests().size(), 4u);
}

// Windows named by window events: a browser window is often announced
// before it is shown or titled, and is looked at again until it is, a
// bounded number of times.
TEST(PopupWatchTest, NamedWindowsAreLookedAtAloneAndThoseNotShownYetAgainLater) {
  platform::MemoryWindowList windows;
  windows.Add({1, "Ad", "IEFrame", true, false});
  windows.Add({2, "Editor", "Edit", true, false});
  windows.Add({3, "", "IEFrame", false, false});        // made, not shown yet
  windows.Add({4, "Unnamed", "IEFrame", true, false});  // never named
  PopupWatch watch;
  for (platform::WindowId window : {1, 2, 3, 1}) watch.Named(window);
  watch.Check(windows);
  EXPECT_EQ(windows.close_requests(), std::vector<platform::WindowId>{1}) << "once, and only it";
  EXPECT_EQ(windows.style_reads(), 1);
  ASSERT_TRUE(watch.waiting_for_later());

  watch.Check(windows);
  EXPECT_EQ(windows.close_requests().size(), 1u) << "the second look waits for Due";
  windows.Find(3)->visible = true;
  watch.Due();
  watch.Check(windows);
  EXPECT_EQ(windows.close_requests().size(), 1u) << "shown, but no title yet";
  windows.Find(3)->title = "Ad";
  watch.Due();
  watch.Check(windows);
  EXPECT_EQ(windows.close_requests(), (std::vector<platform::WindowId>{1, 3}));
  EXPECT_TRUE(watch.empty());
}

TEST(PopupWatchTest, AWindowThatIsNeverShownIsGivenUpToTheTick) {
  platform::MemoryWindowList windows;
  windows.Add({3, "Ad", "IEFrame", false, false});
  PopupWatch watch;
  watch.Named(3);
  int looks = 0;
  for (; !watch.empty() && looks < 100; ++looks) {
    // Announced again and again (hidden and shown, say): the count goes on
    // rather than starting anew.
    if (looks > 0) watch.Named(3);
    watch.Due();
    watch.Check(windows);
  }
  EXPECT_EQ(looks, PopupWatch::kMaxLooks);
  EXPECT_TRUE(windows.close_requests().empty());
}

TEST(PopupWatchTest, MoreWindowsThanItKeepsMakeOnePassOverAllVisibleWindows) {
  platform::MemoryWindowList windows;
  windows.Add({1, "Ad", "IEFrame", true, false});
  PopupWatch watch;
  for (platform::WindowId window = 100; window < 100 + 10 * PopupWatch::kMaxWaiting; ++window) {
    windows.Add({window, "", "IEFrame", false, false});
    watch.Named(window);
  }
  watch.Check(windows);
  EXPECT_EQ(windows.close_requests(), std::vector<platform::WindowId>{1}) << "never named";
  EXPECT_TRUE(watch.empty()) << "the pass looked at every window";
}

TEST(PopupPassTest, FragmentsAreCountedOncePerFragment) {
  EXPECT_EQ(MatchingFragments("IEFrame"), 1);
  EXPECT_EQ(MatchingFragments("Internet Explorer_TridentDlgFrameIEFrame"), 2);
  EXPECT_EQ(MatchingFragments(""), 0);
}

}  // namespace
}  // namespace qb::guardian
