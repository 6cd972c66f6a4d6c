#include "toolkit/action.h"

#include <algorithm>

#include "platform/win32/wide.h"
#include "toolkit/form.h"

namespace qb::toolkit {

Action::Action(int id, std::string caption, bool enabled)
    : id_(id), caption_(std::move(caption)), enabled_(enabled) {}

void Action::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Changed();
}

void Action::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void Action::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

void Action::Execute() {
  if (!enabled_) return;
  if (auto_check_) SetChecked(!checked_);
  if (handler_) handler_();
}

void Action::Bind(ActionClient& client) {
  clients_.push_back(&client);
  client.OnActionChanged(*this);
}

void Action::Unbind(ActionClient& client) { std::erase(clients_, &client); }

void Action::Changed() {
  for (ActionClient* client : clients_) client->OnActionChanged(*this);
}

ActionList::ActionList(Form& form) : form_(form) {
  form_.SetMenuUpdater([this](HMENU menu) { UpdateMenu(menu); });
}

void ActionList::Add(Action& action) {
  actions_[action.id()] = &action;
  form_.SetCommand(action.id(), [&action] { action.Execute(); });
}

void ActionList::SetMenuCaption(const Action& action, std::string caption) {
  menu_captions_[action.id()] = std::move(caption);
}

void ActionList::UpdateMenu(HMENU menu) const {
  const int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW item{sizeof item};
    item.fMask = MIIM_ID;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item)) continue;
    const auto found = actions_.find(static_cast<int>(item.wID));
    if (found == actions_.end()) continue;
    const Action& action = *found->second;
    const auto own_caption = menu_captions_.find(action.id());
    const std::wstring caption =
        win32::Widen(own_caption != menu_captions_.end() ? own_caption->second : action.caption());
    MENUITEMINFOW update{sizeof update};
    update.fMask = MIIM_STRING | MIIM_STATE;
    update.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    update.fState = (action.enabled() ? MFS_ENABLED : MFS_DISABLED) |
                    (action.checked() ? MFS_CHECKED : MFS_UNCHECKED);
    ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &update);
  }
}

}  // namespace qb::toolkit
