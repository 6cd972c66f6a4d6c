#include "toolkit/handle_waits.h"

#include <algorithm>
#include <array>
#include <utility>

#include "toolkit/application.h"

namespace qb::toolkit {

HandleWait::~HandleWait() {
  if (owner_) owner_->Remove(id_);
}

HandleWait::HandleWait(HandleWait&& other) noexcept
    : owner_(std::exchange(other.owner_, nullptr)), id_(other.id_) {}

HandleWait& HandleWait::operator=(HandleWait&& other) noexcept {
  if (this != &other) {
    if (owner_) owner_->Remove(id_);
    owner_ = std::exchange(other.owner_, nullptr);
    id_ = other.id_;
  }
  return *this;
}

HandleWait HandleWaits::WaitOn(std::vector<HANDLE> handles, Signalled signalled) {
  if (handles.empty() || handles_.size() + handles.size() > kMaxHandles) return {};
  const int id = next_id_++;
  groups_.push_back({id, std::move(handles), std::move(signalled)});
  Rebuild();
  return HandleWait(this, id);
}

void HandleWaits::Remove(int id) {
  groups_.erase(std::remove_if(groups_.begin(), groups_.end(),
                               [id](const Group& group) { return group.id == id; }),
                groups_.end());
  Rebuild();
}

void HandleWaits::Rebuild() {
  handles_.clear();
  sources_.clear();
  for (std::size_t group = 0; group < groups_.size(); ++group) {
    for (std::size_t index = 0; index < groups_[group].handles.size(); ++index) {
      handles_.push_back(groups_[group].handles[index]);
      sources_.push_back({group, index});
    }
  }
  next_ = 0;
}

bool HandleWaits::NextMessage(MSG& message) {
  for (;;) {
    const std::size_t count = handles_.size();
    if (count == 0) return ::GetMessageW(&message, nullptr, 0, 0) > 0;
    std::array<HANDLE, kMaxHandles> order;
    for (std::size_t i = 0; i < count; ++i) order[i] = handles_[(next_ + i) % count];
    const DWORD result = ::MsgWaitForMultipleObjectsEx(static_cast<DWORD>(count), order.data(),
                                                       INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result < WAIT_OBJECT_0 + count) {
      const std::size_t position = (next_ + (result - WAIT_OBJECT_0)) % count;
      next_ = position + 1;
      Serve(position);
      if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return message.message != WM_QUIT;
      continue;
    }
    // A failed wait leaves the messages, which still come.
    if (result != WAIT_OBJECT_0 + count) return ::GetMessageW(&message, nullptr, 0, 0) > 0;
    // Sent messages are delivered by the look itself, which then finds none.
    if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return message.message != WM_QUIT;
  }
}

void HandleWaits::Serve(std::size_t position) {
  const Source source = sources_[position];
  // A copy: the handler may end its own registration.
  const Signalled signalled = groups_[source.group].signalled;
  Guarded([&] { signalled(source.index); });
}

}  // namespace qb::toolkit
