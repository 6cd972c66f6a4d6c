#pragma once

#include <array>
#include <functional>

#include "scanner/details_view.h"
#include "toolkit/controls.h"
#include "toolkit/panel.h"
#include "ui/main_actions.h"

namespace qb::app {

enum class Section { kScanner, kIgnored, kVodUridazur, kBlocked };

// Switches the main window between its four sections: tips page, action
// page, the two detail buttons, which actions are enabled, which section
// button is down, and the refill of the section's list.
class SectionSwitcher {
 public:
  struct Parts {
    toolkit::Notebook& tips;
    toolkit::Notebook& pages;
    scanner::DetailsView& details;
    ui::MainActions& actions;
    std::array<toolkit::SectionButton*, 4> buttons;  // in Section order
    std::function<void()> refill_ignored;
    std::function<void()> refill_blocked;
  };

  explicit SectionSwitcher(Parts parts) : parts_(std::move(parts)) {}

  void Switch(Section section);
  Section current() const { return current_; }

 private:
  Parts parts_;
  Section current_ = Section::kScanner;
};

}  // namespace qb::app
