#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qb::toolkit {

class Form;

struct MessageDialogButton {
  int result;  // IDYES, IDNO, ...: also the button's control id
  std::string caption;
};

struct MessageDialogSpec {
  std::string caption;
  std::string text;
  const wchar_t* icon = IDI_INFORMATION;  // a system icon
  std::vector<MessageDialogButton> buttons;
  int default_button = 0;  // pressed by Enter
  int escape_result = IDCANCEL;
  // A check box under the buttons, unticked at first, at a 96-dpi position.
  std::optional<std::string> check_box;
  RECT check_box_rect{};
  int check_box_id = 0;
  // The outer height at 96 dpi; 0 fits the content.
  int outer_height = 0;
};

struct MessageDialogResult {
  // The button pressed; IDCANCEL (2) when closed by the title bar.
  int result = IDCANCEL;
  bool checked = false;
};

// A message box that can carry a check box, shown modally over `owner`.
MessageDialogResult ShowMessageDialog(Form& owner, const MessageDialogSpec& spec);

}  // namespace qb::toolkit
