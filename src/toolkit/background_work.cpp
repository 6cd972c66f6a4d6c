#include "toolkit/background_work.h"

#include <exception>

#include "platform/error.h"
#include "toolkit/application.h"
#include "toolkit/message_target.h"

namespace qb::toolkit {
namespace {

constexpr wchar_t kReceiverClass[] = L"QuellbrightBackgroundWork";
constexpr UINT kJobDone = WM_APP + 1;

}  // namespace

// A message-only window of the window thread, to which the worker posts.
class BackgroundWork::Receiver : public MessageTarget {
 public:
  explicit Receiver(BackgroundWork& owner) : owner_(owner) {
    RegisterToolkitClass(kReceiverClass);
    HWND window = ::CreateWindowExW(0, kReceiverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    Application::Current().instance(), nullptr);
    if (!window) throw Error("Cannot create a window of class QuellbrightBackgroundWork");
    Attach(window);
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message != kJobDone) return MessageTarget::OnMessage(message, wparam, lparam);
    owner_.Deliver(static_cast<std::uint64_t>(wparam));
    return 0;
  }

 private:
  BackgroundWork& owner_;
};

BackgroundWork::BackgroundWork() = default;

BackgroundWork::~BackgroundWork() {
  Cancel();
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void BackgroundWork::SupersedeLocked() {
  ++generation_;
  running_.request_stop();
  waiting_.reset();
  result_ = nullptr;
}

void BackgroundWork::Start(Job job) {
  {
    const std::lock_guard lock(mutex_);
    SupersedeLocked();
    waiting_ = std::move(job);
  }
  // The receiver and the thread come with the first job, the receiver
  // first: the thread only reads it.
  if (!receiver_) receiver_ = std::make_unique<Receiver>(*this);
  if (!thread_.joinable()) {
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
  }
  wake_.notify_one();
}

void BackgroundWork::Cancel() {
  const std::lock_guard lock(mutex_);
  SupersedeLocked();
}

void BackgroundWork::Run(std::stop_token thread_stop) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!wake_.wait(lock, thread_stop, [this] { return waiting_.has_value(); })) return;
    Job job = std::move(*waiting_);
    waiting_.reset();
    const std::uint64_t generation = generation_;
    running_ = std::stop_source();
    const std::stop_token stop = running_.get_token();
    lock.unlock();
    std::function<void()> result;
    try {
      result = job(stop);
    } catch (...) {
      // The window thread reports it, where errors are shown.
      result = [error = std::current_exception()] { std::rethrow_exception(error); };
    }
    lock.lock();
    if (generation == generation_ && !stop.stop_requested() && result) {
      result_ = std::move(result);
      result_generation_ = generation;
      ::PostMessageW(receiver_->hwnd(), kJobDone, static_cast<WPARAM>(generation), 0);
    }
  }
}

void BackgroundWork::Deliver(std::uint64_t generation) {
  std::function<void()> result;
  {
    const std::lock_guard lock(mutex_);
    if (generation != generation_ || generation != result_generation_ || !result_) return;
    result = std::move(result_);
    result_ = nullptr;
  }
  result();
}

}  // namespace qb::toolkit
