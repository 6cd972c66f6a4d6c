#include "guardian/wake_gate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace qb::guardian {
namespace {

// A window thread whose queue holds the messages the gate posted.
class WakeGateTest : public ::testing::Test {
 protected:
  // Handles one message, as the main window does.
  unsigned Deliver() {
    EXPECT_GT(queued, 0);
    --queued;
    return gate.Wake();
  }

  int posts = 0;
  int queued = 0;
  bool post_works = true;
  WakeGate gate{[this] {
    ++posts;
    if (post_works) ++queued;
    return post_works;
  }};
};

TEST_F(WakeGateTest, ChangesThatComeTogetherMakeOneMessageCarryingThemAll) {
  for (int i = 0; i < 1000; ++i) {
    gate.Raise(kObjectsChanged);
    gate.Raise(kWindowsChanged);
  }
  gate.Raise(kStartPageChanged);
  EXPECT_EQ(posts, 1);
  EXPECT_EQ(Deliver(), kEveryChange);

  gate.Raise(kObjectsChanged);
  EXPECT_EQ(posts, 2) << "the message was handled: the next change posts again";
  EXPECT_EQ(Deliver(), kObjectsChanged);
  EXPECT_EQ(queued, 0);
}

// An alert can be up for minutes inside the work: what comes meanwhile
// waits, costs no message, and is served once when the work has ended.
TEST_F(WakeGateTest, ChangesDuringTheWorkWaitForItsEndAndAreServedOnce) {
  gate.BeginWork();
  gate.Raise(kObjectsChanged);
  EXPECT_EQ(Deliver(), 0u) << "never while the work runs";
  for (int i = 0; i < 1000; ++i) gate.Raise(kObjectsChanged | kStartPageChanged);
  EXPECT_EQ(posts, 1);
  EXPECT_TRUE(gate.working());

  gate.EndWork();
  EXPECT_EQ(posts, 2);
  EXPECT_EQ(Deliver(), kObjectsChanged | kStartPageChanged);

  // Work with nothing waiting posts nothing at its end.
  gate.BeginWork();
  gate.EndWork();
  EXPECT_EQ(posts, 2);
  EXPECT_EQ(queued, 0);
}

TEST_F(WakeGateTest, AMessageThatCouldNotBePostedIsTriedAgainAndNothingIsLost) {
  post_works = false;
  gate.Raise(kObjectsChanged);
  gate.Raise(kWindowsChanged);
  EXPECT_EQ(posts, 2) << "no message on its way: each change tries";
  post_works = true;
  gate.BeginWork();
  gate.EndWork();
  EXPECT_EQ(posts, 3) << "the end of the work tries too";
  EXPECT_EQ(Deliver(), kObjectsChanged | kWindowsChanged);

  // Stopped: what was recorded is dropped, and a message already on its
  // way finds nothing.
  gate.Raise(kObjectsChanged);
  gate.Clear();
  EXPECT_EQ(Deliver(), 0u);
}

// The registry watch raises from its own thread while the window thread
// takes the messages: never two messages on their way, nothing lost.
TEST(WakeGateThreadsTest, ThreadsRaisingWithoutPauseNeverHaveTwoMessagesOnTheirWay) {
  std::atomic<int> on_their_way{0};
  std::atomic<int> most_on_their_way{0};
  WakeGate gate([&] {
    const int now = on_their_way.fetch_add(1) + 1;
    int most = most_on_their_way.load();
    while (now > most && !most_on_their_way.compare_exchange_weak(most, now)) {
    }
    return true;
  });
  std::atomic<bool> done{false};
  std::vector<std::thread> raisers;
  const unsigned bits[] = {kObjectsChanged, kStartPageChanged, kWindowsChanged};
  for (unsigned bit : bits) {
    raisers.emplace_back([&gate, bit] {
      for (int i = 0; i < 100000; ++i) gate.Raise(bit);
    });
  }
  std::thread stopper([&] {
    for (std::thread& raiser : raisers) raiser.join();
    done = true;
  });
  unsigned delivered = 0;
  while (!done || on_their_way > 0) {
    if (on_their_way == 0) {
      std::this_thread::yield();
      continue;
    }
    on_their_way.fetch_sub(1);
    delivered |= gate.Wake();
  }
  stopper.join();
  EXPECT_EQ(most_on_their_way.load(), 1);
  EXPECT_EQ(delivered, kEveryChange);
}

}  // namespace
}  // namespace qb::guardian
