#include "toolkit/timer.h"

#include "toolkit/form.h"

namespace qb::toolkit {

Timer::Timer(Form& form, UINT interval_ms, bool enabled, std::function<void()> on_tick)
    : form_(form), id_(form.NewTimerId()), interval_(interval_ms), on_tick_(std::move(on_tick)) {
  form_.AddTimer(*this);
  SetEnabled(enabled);
}

Timer::~Timer() {
  SetEnabled(false);
  form_.RemoveTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
  if (form_.hwnd()) {
    ::KillTimer(form_.hwnd(), id_);
    if (enabled) ::SetTimer(form_.hwnd(), id_, interval_, nullptr);
  }
  enabled_ = enabled;
}

void Timer::Tick() {
  if (enabled_ && on_tick_) on_tick_();
}

}  // namespace qb::toolkit
