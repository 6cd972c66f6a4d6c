#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace qb::toolkit {

class HandleWaits;

// One group of handles that the message loops wait on, from WaitOn to its
// end; move-only. An inactive registration waits on nothing.
class HandleWait {
 public:
  HandleWait() = default;
  ~HandleWait();
  HandleWait(HandleWait&& other) noexcept;
  HandleWait& operator=(HandleWait&& other) noexcept;
  HandleWait(const HandleWait&) = delete;
  HandleWait& operator=(const HandleWait&) = delete;

  bool active() const { return owner_ != nullptr; }

 private:
  friend class HandleWaits;
  HandleWait(HandleWaits* owner, int id) : owner_(owner), id_(id) {}

  HandleWaits* owner_ = nullptr;
  int id_ = 0;
};

// The kernel objects a thread's message loops wait on beside its messages,
// so that a watch needs no thread of its own: a signalled handle is served
// on the loop's thread, between two messages.
class HandleWaits {
 public:
  using Signalled = std::function<void(std::size_t index)>;

  // What one wait can take beside the message queue.
  static constexpr std::size_t kMaxHandles = MAXIMUM_WAIT_OBJECTS - 1;

  HandleWaits() = default;
  HandleWaits(const HandleWaits&) = delete;
  HandleWaits& operator=(const HandleWaits&) = delete;

  // Until the registration ends, calls `signalled` with the index in
  // `handles` of each one the wait finds signalled (auto-reset events suit;
  // a handle that stays signalled is served again at once). Inactive when
  // the handles do not fit beside those waited on already, or there are none.
  HandleWait WaitOn(std::vector<HANDLE> handles, Signalled signalled);

  // Waits for the next message of the thread and takes it from the queue,
  // serving the handles meanwhile; false for WM_QUIT or a failed wait, as
  // GetMessage. The handles come first, from the one after the last served,
  // and a waiting message after each: one signalled without pause keeps
  // neither the others nor the messages waiting.
  bool NextMessage(MSG& message);

 private:
  friend class HandleWait;
  struct Group {
    int id;
    std::vector<HANDLE> handles;
    Signalled signalled;
  };
  struct Source {
    std::size_t group;
    std::size_t index;
  };
  void Remove(int id);
  void Rebuild();
  void Serve(std::size_t position);

  std::vector<Group> groups_;
  // Every group's handles in one list, and where each came from.
  std::vector<HANDLE> handles_;
  std::vector<Source> sources_;
  std::size_t next_ = 0;
  int next_id_ = 1;
};

}  // namespace qb::toolkit
