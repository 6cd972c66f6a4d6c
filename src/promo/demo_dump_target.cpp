#include "promo/demo_dump_target.h"

#include <algorithm>

namespace qb::promo {
namespace {

constexpr ULONGLONG kShowEveryMs = 50;
constexpr ULONGLONG kInputCheckEveryMs = 10;
constexpr std::int64_t kReserveBytes = 16 << 20;
// What the user does, and what other programs post or send to the window.
constexpr UINT kWaitingInput = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE;

}  // namespace

DemoDumpTarget::DemoDumpTarget(TextPane* pane, TGauge& gauge, toolkit::Application& application,
                               bool& stop_requested)
    : pane_(pane),
      gauge_(gauge),
      application_(application),
      stop_requested_(stop_requested),
      last_shown_(::GetTickCount64()),
      last_input_check_(last_shown_) {}

void DemoDumpTarget::SetRange(std::int64_t last) {
  gauge_.SetRange(0, last);
  if (pane_) {
    // Room for what most files hold; a huge one grows the pane as it is
    // read, and a stop early on has not cost its whole size.
    const auto bytes = static_cast<std::size_t>(std::min<std::int64_t>(last + 1, kReserveBytes));
    pane_->Reserve(bytes + kDumpLineWidth, bytes / kDumpLineWidth + 1);
  }
}

void DemoDumpTarget::AddLines(std::u16string_view lines) {
  if (pane_) pane_->AppendLines(lines, kDumpLineWidth);
}

void DemoDumpTarget::SetProgress(std::int64_t position) { gauge_.SetProgress(position); }

bool DemoDumpTarget::ShouldShow() {
  const ULONGLONG now = ::GetTickCount64();
  if (now - last_shown_ >= kShowEveryMs) return true;
  if (now - last_input_check_ < kInputCheckEveryMs) return false;
  last_input_check_ = now;
  // Reads the queue's state only; nothing is taken from it.
  return HIWORD(::GetQueueStatus(kWaitingInput)) != 0;
}

void DemoDumpTarget::ProcessMessages() {
  application_.ProcessMessages();
  if (application_.terminated()) stop_requested_ = true;
  last_shown_ = last_input_check_ = ::GetTickCount64();
}

}  // namespace qb::promo
