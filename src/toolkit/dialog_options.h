#pragma once

#include "toolkit/form.h"

namespace qb::toolkit {

// Options for a fixed-size dialog window of the program: a dialog frame,
// a close box only (or none), owned by `owner`.
inline FormOptions DialogOptions(std::wstring class_name, std::string caption, SIZE client_size,
                                 HWND owner, bool close_box = true) {
  FormOptions options;
  options.class_name = std::move(class_name);
  options.caption = std::move(caption);
  options.client_size = client_size;
  options.style = WS_POPUP | WS_CAPTION | (close_box ? WS_SYSMENU : 0);
  options.ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  options.owner = owner;
  return options;
}

}  // namespace qb::toolkit
