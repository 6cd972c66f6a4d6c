#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/handle_waits.h"

namespace qb::toolkit {

class Form;

// The thread's message loop and what belongs to the whole application: its
// title (the caption of the default error box), its forms and the request to
// end. One per program, made by the entry point.
class Application {
 public:
  Application(HINSTANCE instance, std::string title);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application& Current();

  HINSTANCE instance() const { return instance_; }
  const std::string& title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // Runs the message loop until the application is asked to end. The main
  // form is shown first when `show_main_form` is set; nothing runs at all
  // when the end was requested before the loop started.
  int Run(Form& main_form, bool show_main_form);
  // Asks the application to end once control is back in the message loop.
  void Terminate();
  bool terminated() const { return terminated_; }

  // Dispatches messages until `done` gives true or the application ends.
  void RunModalLoop(const std::function<bool()>& done);
  // Dispatches the messages that are waiting, without waiting for more.
  void ProcessMessages();

  // While the registration lives, the message loops of Run and
  // RunModalLoop also wait on `handles` (see HandleWaits::WaitOn). Windows'
  // own modal loops, such as a message box's or a menu's, do not: what was
  // signalled meanwhile is served once they end.
  HandleWait WaitOn(std::vector<HANDLE> handles, HandleWaits::Signalled signalled) {
    return waits_.WaitOn(std::move(handles), std::move(signalled));
  }

  void AddForm(Form& form);
  void RemoveForm(Form& form);
  Form* FormOf(HWND window) const;
  const std::vector<Form*>& forms() const { return forms_; }

  // The busy cursor over every window of the program, as long as some
  // BusyCursor lives.
  bool busy() const { return busy_depth_ > 0; }
  void EnterBusy();
  void LeaveBusy();

 private:
  // Key preview and dialog navigation; true when the message was consumed.
  bool PreTranslate(MSG& message);
  void Dispatch(MSG& message);

  HINSTANCE instance_;
  std::string title_;
  bool terminated_ = false;
  int busy_depth_ = 0;
  std::vector<Form*> forms_;
  HandleWaits waits_;
};

// The application's default error box: error icon, OK, the application title
// as caption and the message with its full stop.
void ShowErrorBox(const std::string& message);

// Runs `action` and turns any exception into the default error box. Used at
// every place where Windows calls into the program.
template <typename Action>
void Guarded(Action&& action) noexcept {
  try {
    action();
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  } catch (...) {
    ShowErrorBox("Unexpected error");
  }
}

}  // namespace qb::toolkit
