#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "toolkit/application.h"

namespace qb::toolkit {
namespace {

using win32::UniqueKernelHandle;

void PostToThisThread(int count) {
  for (int i = 0; i < count; ++i) ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
}

// The loop's waited handles are what lets the guard's registry watch live
// on the window thread: served between messages, never keeping them.
TEST(MessageLoopTest, WaitedHandlesAreServedBesideTheMessagesWhileRegistered) {
  Application application(::GetModuleHandleW(nullptr), "test");
  UniqueKernelHandle storm(::CreateEventW(nullptr, TRUE, TRUE, nullptr));  // never reset
  UniqueKernelHandle once(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  int storms = 0;
  std::vector<std::size_t> served;
  HandleWait storm_wait = application.WaitOn({storm.get()}, [&](std::size_t) { ++storms; });
  HandleWait once_wait = application.WaitOn({storm.get(), once.get()},
                                            [&](std::size_t index) { served.push_back(index); });
  ASSERT_TRUE(storm_wait.active());
  ASSERT_TRUE(once_wait.active());

  ::SetEvent(once.get());
  PostToThisThread(3);
  int looks = 0;
  application.RunModalLoop([&] { return ++looks > 3; });
  EXPECT_EQ(looks, 4) << "every message came through a handle signalled without pause";
  EXPECT_GE(storms, 1);
  ASSERT_FALSE(served.empty()) << "the other handles were served beside it";
  EXPECT_NE(std::find(served.begin(), served.end(), 1), served.end()) << "the event set once";

  // Ended registrations are no longer waited on.
  storm_wait = {};
  once_wait = {};
  const int storms_before = storms;
  const std::size_t served_before = served.size();
  ::SetEvent(once.get());
  PostToThisThread(1);
  looks = 0;
  application.RunModalLoop([&] { return ++looks > 1; });
  EXPECT_EQ(storms, storms_before);
  EXPECT_EQ(served.size(), served_before);
  ::ResetEvent(once.get());

  // One wait takes at most 63 handles beside the queue, all registrations
  // together.
  EXPECT_FALSE(
      application.WaitOn(std::vector<HANDLE>(64, once.get()), [](std::size_t) {}).active());
  HandleWait most = application.WaitOn(std::vector<HANDLE>(60, once.get()), [](std::size_t) {});
  EXPECT_TRUE(most.active());
  EXPECT_FALSE(application.WaitOn(std::vector<HANDLE>(4, once.get()), [](std::size_t) {}).active());
}

}  // namespace
}  // namespace qb::toolkit
