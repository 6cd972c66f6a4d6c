#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "toolkit/control.h"

namespace qb::toolkit {

// A plain container with a background colour. Notifications of its children
// go on to the form, which routes them; colours are answered here, so that
// children on the panel match it.
class Panel : public Control {
 public:
  Panel(Parent parent, int id, DesignRect rect, COLORREF background = ::GetSysColor(COLOR_BTNFACE));

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  COLORREF background_;
};

// A stack of named pages of which one is shown.
class Notebook : public Panel {
 public:
  Notebook(Parent parent, int id, DesignRect rect);

  // A new page filling the notebook, hidden until selected.
  Panel& AddPage(const std::string& name, int id);
  // The same, made with its controls by `fill` when it is first selected:
  // a window pays only for the pages it shows.
  void AddPage(const std::string& name, int id, std::function<void(Panel&)> fill);
  void SetPage(const std::string& name);
  const std::string& page() const { return current_; }

 private:
  struct UnmadePage {
    int id;
    std::function<void(Panel&)> fill;
  };
  std::map<std::string, std::unique_ptr<Panel>> pages_;
  std::map<std::string, UnmadePage> unmade_;
  std::string current_;
};

}  // namespace qb::toolkit
