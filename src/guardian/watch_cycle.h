#pragma once

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "guardian/popup_watch.h"
#include "lists/case_insensitive.h"
#include "lists/list_file.h"
#include "platform/code_page.h"
#include "platform/registry_backend.h"
#include "platform/window_list.h"
#include "scanner/helper_objects.h"
#include "scanner/removal.h"
#include "settings/settings.h"

namespace qb::guardian {

// The alert dialog's answers: the platform's dialog result codes.
enum AlertResult : int {
  kAlertClosing = 2,  // IDCANCEL: only while the program closes
  kAlertStop = 3,     // IDABORT: "Stop Guardian"
  kAlertIgnore = 5,   // IDIGNORE: "Allow and ignore"
  kAlertDelete = 7,   // IDNO: "Delete"
};

// HKEY_CURRENT_USER key and value of the browser's start page.
inline constexpr char kStartPageKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";

// What the tick works with, all owned elsewhere.
struct WatchServices {
  platform::RegistryBackend& registry;
  lists::ClsidLists& lists;
  const platform::CodePage& code_page;
  // Read by the tick; the guard's switches write what the user changes.
  settings::Settings& settings;
  scanner::ObjectRemoval& removal;
  platform::WindowList& windows;
};

// What the tick asks of the windows.
struct WatchHooks {
  // Shows the alert for current_object() modally; one of AlertResult.
  std::function<int()> ask;
  // A blocked object whose key could not be deleted; once per object per
  // run, so the user learns it stays installed without being told every tick.
  std::function<void(const scanner::RemovalFailure&)> on_stuck_object;
  // "Delete" in the alert left keys behind, or wrote an incomplete backup.
  std::function<void(const scanner::RemovalReport&)> on_delete_reported;
};

// What one run of the work looks at: a tick at everything, an event at
// what changed. The settings still decide whether the start page and the
// pop-ups are looked at.
struct WatchScope {
  bool start_page = true;
  bool popups = true;
  bool objects = true;
  // Null: the pop-up rule looks at every visible window (the tick's pass);
  // else only at the windows that window events named.
  PopupWatch* new_windows = nullptr;
};

// The work of one guard tick, without its timer: holds the start page, runs
// the pop-up pass, removes blocked objects silently and asks about new ones.
// Errors (a list, backup or start page that cannot be written) end the tick
// and go to the caller.
class WatchCycle {
 public:
  WatchCycle(WatchServices services, WatchHooks hooks);

  // One tick's work; true when the user asked to stop the guard.
  bool Run() { return Run(WatchScope{}); }
  // The same work, for what `scope` names, in the same order.
  bool Run(const WatchScope& scope);
  // A stop that arrives while an alert is up: no further object is looked
  // at in this tick, and Run returns true.
  void RequestStop() { stop_requested_ = true; }

  // `CurrentCLSID`: the object the alert shows; kept until the next one.
  const std::u16string& current_clsid() const { return current_.clsid; }
  // The same object with the views that register it, for its details.
  const scanner::RegisteredObject& current_object() const { return current_; }

 private:
  void HoldStartPage();
  void ClosePopups(PopupWatch* new_windows);
  // False when the tick is to end.
  bool Examine(const scanner::RegisteredObject& object);
  void RemoveBlocked(const std::u16string& clsid);
  void Act(int answer, const std::u16string& clsid);
  // Tells about a stuck object only the first time in this run.
  bool FirstReport(const std::u16string& clsid);

  WatchServices services_;
  WatchHooks hooks_;
  scanner::RegisteredObject current_;
  bool stop_requested_ = false;
  // As the blocked list holds them: in the ANSI code page, any letter case.
  std::unordered_set<std::string, lists::CaseInsensitiveHash, lists::CaseInsensitiveEqual>
      reported_stuck_;
};

// The balloon text for a blocked object that stays registered.
std::string StuckObjectNotice(const scanner::RemovalFailure& failure);

}  // namespace qb::guardian
