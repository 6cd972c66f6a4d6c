#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qb::toolkit {

class Action;
class Form;

// A control that shows an action's state (caption, enabled, check mark).
class ActionClient {
 public:
  virtual void OnActionChanged(const Action& action) = 0;

 protected:
  ~ActionClient() = default;
};

// A named command: caption, enabled flag, optional check mark and a handler.
// Buttons, check boxes and menu items bound to it follow its state, and it
// does nothing while disabled, also when run from code. An action must
// outlive the controls bound to it.
class Action {
 public:
  Action(int id, std::string caption, bool enabled = true);
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;

  int id() const { return id_; }
  const std::string& caption() const { return caption_; }
  bool enabled() const { return enabled_; }
  bool checked() const { return checked_; }

  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  void SetCaption(std::string caption);
  void SetEnabled(bool enabled);
  void SetChecked(bool checked);
  // An auto-check action flips its check mark before its handler runs.
  void SetAutoCheck(bool auto_check) { auto_check_ = auto_check; }

  void Execute();

  void Bind(ActionClient& client);
  void Unbind(ActionClient& client);

 private:
  void Changed();

  int id_;
  std::string caption_;
  bool enabled_;
  bool checked_ = false;
  bool auto_check_ = false;
  std::function<void()> handler_;
  std::vector<ActionClient*> clients_;
};

// The actions of one form: routes their command ids from menus and brings
// menu items up to date whenever a menu of the form opens.
class ActionList {
 public:
  explicit ActionList(Form& form);

  void Add(Action& action);
  // Menu items of this action show `caption` instead of the action's.
  void SetMenuCaption(const Action& action, std::string caption);
  void UpdateMenu(HMENU menu) const;

 private:
  Form& form_;
  std::map<int, Action*> actions_;
  std::map<int, std::string> menu_captions_;
};

}  // namespace qb::toolkit
