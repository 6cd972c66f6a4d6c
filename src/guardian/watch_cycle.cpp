#include "guardian/watch_cycle.h"

#include "guardian/popup_blocker.h"
#include "registry/registry_key.h"
#include "scanner/helper_objects.h"

namespace qb::guardian {

WatchCycle::WatchCycle(WatchServices services, WatchHooks hooks)
    : services_(services), hooks_(std::move(hooks)) {}

bool WatchCycle::Run() {
  stop_requested_ = false;
  if (services_.settings.SetHomePage) HoldStartPage();
  if (services_.settings.EnablePopUpBlocker) RunPopupPass(services_.windows);
  for (const std::string& name : scanner::RegisteredObjectNames(services_.registry)) {
    if (!Examine(scanner::ClsidFromKeyName(name))) break;
  }
  return stop_requested_;
}

void WatchCycle::HoldStartPage() {
  registry::RegistryKey key(services_.registry, platform::RegistryRoot::CurrentUser);
  key.CreateKey(kStartPageKey);
  key.WriteString(kStartPageValue, services_.settings.HomePage);
}

bool WatchCycle::Examine(const std::string& clsid) {
  const lists::ClsidLists& lists = services_.lists;
  if (lists.known.Contains(clsid) || lists.ignored.Contains(clsid)) return true;
  current_clsid_ = clsid;
  if (lists.blocked.Contains(clsid)) {
    RemoveBlocked(clsid);
    return true;
  }
  Act(hooks_.ask ? hooks_.ask() : kAlertClosing, clsid);
  return !stop_requested_;
}

void WatchCycle::RemoveBlocked(const std::string& clsid) {
  for (const scanner::RemovalFailure& failure : services_.removal.BlockObjects({clsid})) {
    if (reported_stuck_.insert(failure.clsid).second && hooks_.on_stuck_object) {
      hooks_.on_stuck_object(failure);
    }
  }
}

void WatchCycle::Act(int answer, const std::string& clsid) {
  switch (answer) {
    case kAlertIgnore:
      services_.lists.ignored.Add(clsid);
      break;
    case kAlertDelete: {
      if (services_.settings.MakeBackup) services_.removal.WriteBackupFile({clsid});
      const std::vector<scanner::RemovalFailure> failures = services_.removal.BlockObjects({clsid});
      if (failures.empty()) break;
      // The user has been told; the silent retries need not tell again.
      for (const scanner::RemovalFailure& failure : failures) reported_stuck_.insert(failure.clsid);
      if (hooks_.on_delete_failed) hooks_.on_delete_failed(failures);
      break;
    }
    case kAlertStop:
      stop_requested_ = true;
      break;
    default:  // the program is closing
      break;
  }
}

std::string StuckObjectNotice(const scanner::RemovalFailure& failure) {
  return "The blocked object {" + failure.clsid + "} could not be removed (" +
         platform::DescribeRegistryStatus(failure.status) +
         "). It stays installed; Vod Uridazur keeps trying.";
}

}  // namespace qb::guardian
