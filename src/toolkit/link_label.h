#pragma once

#include <functional>

#include "toolkit/controls.h"

namespace qb::toolkit {

// A label that acts as a link: it shows the hand cursor, reports clicks and
// tells when the mouse moves over it and when it leaves.
class LinkLabel : public Label {
 public:
  LinkLabel(Parent parent, int id, DesignRect rect, std::string text, FontSpec font);

  void SetHandCursor(bool hand) { hand_cursor_ = hand; }

  std::function<void()> on_click;
  std::function<void()> on_mouse_move;
  std::function<void()> on_mouse_leave;

  void OnCommand(WORD code) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool hand_cursor_ = false;
  bool tracking_ = false;
};

}  // namespace qb::toolkit
