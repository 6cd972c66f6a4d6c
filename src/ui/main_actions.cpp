#include "ui/main_actions.h"

namespace qb::ui {

MainActions::MainActions(toolkit::Form& form) : list(form) {
  for (toolkit::Action* action :
       {&aScan, &aSelectAll, &aDeselectAll, &aDeleteSelected, &aRemoveObject, &aIgnoreObject,
        &aScanner, &aIgnoredObjects, &aVodUridazur, &aBlockedObjects, &aShowHide, &aRemoveIgnored,
        &aRemoveIgnoredAll, &aRemoveBlocked, &aRemoveAllBlocked, &aStartStopGuardian,
        &aEnablePopUpBlocker}) {
    list.Add(*action);
  }
  aEnablePopUpBlocker.SetAutoCheck(true);
  aEnablePopUpBlocker.SetChecked(true);
  list.SetMenuCaption(aBlockedObjects, kBlockedObjectsMenuCaption);
}

}  // namespace qb::ui
