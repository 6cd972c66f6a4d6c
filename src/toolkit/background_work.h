#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace qb::toolkit {

// Work that must not hold the window thread up, one job at a time on a
// thread of its own. What a job gives back runs on the window thread
// (through the message loop) unless a later Start or a Cancel came first:
// that job is asked to stop, and whatever it gives back is dropped. The
// object waits for its thread when it goes, after asking the job under way
// to stop, so no work outlives the windows it reports to. The thread, and
// the window it reports through, start with the first job: a thread costs
// memory for as long as it lives, and many sessions never ask for one.
class BackgroundWork {
 public:
  // Runs on the worker thread; what it returns runs on the window thread.
  using Job = std::function<std::function<void()>(std::stop_token stop)>;

  BackgroundWork();
  ~BackgroundWork();
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

  // Supersedes the job under way or waiting.
  void Start(Job job);
  // Drops the job under way or waiting, and its result.
  void Cancel();

 private:
  class Receiver;

  void Run(std::stop_token thread_stop);
  // On the window thread: runs the result of job `generation`, if it is
  // still the latest.
  void Deliver(std::uint64_t generation);
  void SupersedeLocked();

  std::unique_ptr<Receiver> receiver_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::uint64_t generation_ = 0;  // of the latest Start or Cancel
  std::optional<Job> waiting_;
  std::stop_source running_;  // the job under way
  std::function<void()> result_;
  std::uint64_t result_generation_ = 0;
  // Last, so that it ends before anything above goes.
  std::jthread thread_;
};

}  // namespace qb::toolkit
