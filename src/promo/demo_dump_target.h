#pragma once

#include <windows.h>

#include "promo/index_dump.h"
#include "promo/widgets/gauge.h"
#include "promo/widgets/text_pane.h"
#include "toolkit/application.h"

namespace qb::promo {

// The demo window's end of a dump: lines go to the pane (`AddDumpLine`,
// in batches; none when there is no pane), the progress to `Gauge1`. The
// window runs its messages every 50 ms, so the lines and the bar move as
// the file is read, and at once when input waits, which is looked for
// every 10 ms with a call that only reads the queue's state. An end of the
// program requested meanwhile stops the dump.
class DemoDumpTarget : public DumpTarget {
 public:
  DemoDumpTarget(TextPane* pane, TGauge& gauge, toolkit::Application& application,
                 bool& stop_requested);

  void SetRange(std::int64_t last) override;
  void AddLines(std::u16string_view lines) override;
  void SetProgress(std::int64_t position) override;
  bool ShouldShow() override;
  void ProcessMessages() override;

 private:
  TextPane* pane_;
  TGauge& gauge_;
  toolkit::Application& application_;
  bool& stop_requested_;
  ULONGLONG last_shown_;
  ULONGLONG last_input_check_;
};

}  // namespace qb::promo
