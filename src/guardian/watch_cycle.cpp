#include "guardian/watch_cycle.h"

#include "guardian/popup_blocker.h"
#include "registry/registry_key.h"
#include "scanner/helper_objects.h"

namespace qb::guardian {

WatchCycle::WatchCycle(WatchServices services, WatchHooks hooks)
    : services_(services), hooks_(std::move(hooks)) {}

bool WatchCycle::Run(const WatchScope& scope) {
  stop_requested_ = false;
  const settings::Settings& settings = services_.settings;
  if (scope.start_page && settings.SetHomePage) HoldStartPage();
  if (scope.popups) ClosePopups(scope.new_windows);
  if (!scope.objects) return stop_requested_;
  for (const scanner::RegisteredObject& object : scanner::RegisteredObjects(services_.registry)) {
    if (!Examine(object)) break;
  }
  return stop_requested_;
}

void WatchCycle::ClosePopups(PopupWatch* new_windows) {
  if (!services_.settings.EnablePopUpBlocker) {
    // Switched off since they were named: nobody is to look at them.
    if (new_windows) new_windows->Clear();
  } else if (new_windows) {
    new_windows->Check(services_.windows);
  } else {
    RunPopupPass(services_.windows);
  }
}

namespace {

bool StartPageIs(platform::RegistryBackend& registry, const platform::RegistryValue& wanted) {
  registry::RegistryKey key(registry, platform::RegistryRoot::CurrentUser);
  return key.OpenKey(kStartPageKey, false) && key.ValueExists(kStartPageValue) &&
         key.ReadValue(kStartPageValue) == wanted;
}

}  // namespace

// Read before it is written: a write twice a second would keep marking the
// user's hive as changed. Anything but the very value that would be written
// (missing, another type, other text, more after a NUL) is written.
void WatchCycle::HoldStartPage() {
  const platform::RegistryValue wanted = platform::MakeStringValue(services_.settings.HomePage);
  if (StartPageIs(services_.registry, wanted)) return;
  registry::RegistryKey key(services_.registry, platform::RegistryRoot::CurrentUser);
  key.CreateKey(kStartPageKey);
  key.WriteValue(kStartPageValue, wanted);
}

bool WatchCycle::Examine(const scanner::RegisteredObject& object) {
  const std::u16string& clsid = object.clsid;
  const scanner::ListMembership lists{services_.lists, services_.code_page};
  if (lists.Known(clsid) || lists.Ignored(clsid)) return true;
  current_ = object;
  if (lists.Blocked(clsid)) {
    RemoveBlocked(clsid);
    return true;
  }
  Act(hooks_.ask ? hooks_.ask() : kAlertClosing, clsid);
  return !stop_requested_;
}

bool WatchCycle::FirstReport(const std::u16string& clsid) {
  return reported_stuck_.insert(services_.code_page.Encode(clsid)).second;
}

void WatchCycle::RemoveBlocked(const std::u16string& clsid) {
  for (const scanner::RemovalFailure& failure : services_.removal.BlockObjects({clsid})) {
    if (FirstReport(failure.clsid) && hooks_.on_stuck_object) hooks_.on_stuck_object(failure);
  }
}

void WatchCycle::Act(int answer, const std::u16string& clsid) {
  switch (answer) {
    case kAlertIgnore:
      services_.lists.ignored.Add(services_.code_page.Encode(clsid));
      break;
    case kAlertDelete: {
      const scanner::RemovalReport report =
          services_.removal.Remove({clsid}, services_.settings.MakeBackup);
      // The user is told now; the silent retries need not tell again.
      for (const scanner::RemovalFailure& failure : report.failures) FirstReport(failure.clsid);
      if (!report.all_well() && hooks_.on_delete_reported) hooks_.on_delete_reported(report);
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
  return "The blocked object " + scanner::DisplayClsid(failure.clsid) + " could not be removed (" +
         platform::DescribeRegistryStatus(failure.status) +
         "). It stays installed; Vod Uridazur keeps trying.";
}

}  // namespace qb::guardian
