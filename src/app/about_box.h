#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/link_label.h"
#include "toolkit/panel.h"

namespace qb::app {

// The top of the about box: a panel with a raised edge.
class RaisedPanel : public toolkit::Panel {
 public:
  using Panel::Panel;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// The about box `frmAbout`: the program's name and version and links to the
// maker's web site and e-mail address.
class TfrmAbout : public toolkit::Form {
 public:
  TfrmAbout(toolkit::Application& application, HWND owner);

 protected:
  void OnDialogCommand(int id) override;

 private:
  void FormCreate();
  void Button1Click() { Close(); }
  void Label5MouseMove();
  void Label5MouseLeave();
  void Label5Click();
  void Label3Click();

  RaisedPanel Panel1;
  toolkit::Label Image1;
  toolkit::Label Label2;
  toolkit::Label Label1;
  toolkit::Label Label7;
  toolkit::LinkLabel Label5;
  toolkit::Label Label6;
  toolkit::LinkLabel Label3;
  toolkit::Button Button1;
  bool label5Underlined_ = false;
};

}  // namespace qb::app
