#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/panel.h"

namespace qb::toolkit {

// A page control: tabs along the top, one page per tab, the page of the
// selected tab shown. Pages are panels inside the control's display area.
class TabControl : public Control {
 public:
  TabControl(Parent parent, int id, DesignRect rect);

  // A new tab and its page; the first one added is selected.
  Panel& AddPage(const std::string& caption, int page_id);
  void SelectPage(int index);
  int SelectedPage() const;

  // The form passes on WM_NOTIFY from this control; true when handled.
  bool OnNotify(const NMHDR& header);

 protected:
  void ApplyOwnDpi() override;

 private:
  DesignRect PageRect() const;
  void ShowSelectedPage();

  std::vector<std::unique_ptr<Panel>> pages_;
};

}  // namespace qb::toolkit
