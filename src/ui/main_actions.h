#pragma once

#include "ui/control_ids.h"
#include "toolkit/action.h"

namespace qb::ui {

// The caption that menu items of aBlockedObjects show instead of its own.
inline constexpr char kBlockedObjectsMenuCaption[] = "Blocked objects";

// Every command of the main window, with its caption and enabled state at
// creation. Handlers are attached by the parts that own the behaviour.
struct MainActions {
  explicit MainActions(toolkit::Form& form);

  toolkit::Action aScan{ids::kAScan, "&Scan"};
  toolkit::Action aSelectAll{ids::kASelectAll, "Select a&ll"};
  toolkit::Action aDeselectAll{ids::kADeselectAll, "D&eselect all"};
  toolkit::Action aDeleteSelected{ids::kADeleteSelected, "&Delete selected"};
  toolkit::Action aRemoveObject{ids::kARemoveObject, "Block this object", false};
  toolkit::Action aIgnoreObject{ids::kAIgnoreObject, "Ig&nore this object", false};
  toolkit::Action aScanner{ids::kAScanner, "Sca&nner"};
  toolkit::Action aIgnoredObjects{ids::kAIgnoredObjects, "&Ignored objects"};
  toolkit::Action aVodUridazur{ids::kAVodUridazur, "Vod &Uridazur"};
  toolkit::Action aBlockedObjects{ids::kABlockedObjects, "Blocked"};
  toolkit::Action aShowHide{ids::kAShowHide, "Show / hide program"};
  toolkit::Action aRemoveIgnored{ids::kARemoveIgnored, "&Remove ignored"};
  toolkit::Action aRemoveIgnoredAll{ids::kARemoveIgnoredAll, "Remo&ve all"};
  toolkit::Action aRemoveBlocked{ids::kARemoveBlocked, "&Remove blocked"};
  toolkit::Action aRemoveAllBlocked{ids::kARemoveAllBlocked, "Remo&ve all blocked"};
  toolkit::Action aStartStopGuardian{ids::kAStartStopGuardian, "Start"};
  toolkit::Action aEnablePopUpBlocker{ids::kAEnablePopUpBlocker, "Enable Popup Blocker", false};

  toolkit::ActionList list;
};

}  // namespace qb::ui
