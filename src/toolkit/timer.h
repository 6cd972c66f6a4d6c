#pragma once

#include <windows.h>

#include <functional>

namespace qb::toolkit {

class Form;

// A window timer of a form. Enabling it (again) restarts its period, so a
// handler that disables the timer while it works and enables it at its end
// gets a full period of rest.
class Timer {
 public:
  Timer(Form& form, UINT interval_ms, bool enabled, std::function<void()> on_tick);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetEnabled(bool enabled);
  bool enabled() const { return enabled_; }
  UINT interval() const { return interval_; }
  UINT_PTR id() const { return id_; }

  // Called by the form for WM_TIMER.
  void Tick();

 private:
  Form& form_;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
  std::function<void()> on_tick_;
};

}  // namespace qb::toolkit
