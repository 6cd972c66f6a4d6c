#include "guardian/guard_events.h"

#include <string>
#include <vector>

#include "guardian/popup_blocker.h"
#include "platform/utf.h"
#include "scanner/helper_objects.h"
#include "toolkit/application.h"

namespace qb::guardian {
namespace {

// A browser window not shown or titled yet is looked at again this often,
// PopupWatch::kMaxLooks times: for half a second, the tick's period.
constexpr UINT kLookAgainMs = 10;

// The registry names its keys without the leading "\" of the program's.
std::u16string KeyPath(const char* path) {
  return platform::Utf8ToUtf16(path[0] == '\\' ? path + 1 : path);
}

}  // namespace

GuardEvents::GuardEvents(toolkit::Form& main, WatchServices services)
    : main_(main),
      services_(services),
      gate_([this] { return ::PostMessageW(main_.hwnd(), WakeMessage(), 0, 0) != 0; }),
      lookAgain_(main, kLookAgainMs, false, [this] { LookAgain(); }) {}

// The watches and hooks end before what they report to.
GuardEvents::~GuardEvents() { Update(false); }

UINT GuardEvents::WakeMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Quellbright.GuardWake");
  return message;
}

void GuardEvents::Update(bool on) {
  const settings::Settings& settings = services_.settings;
  if (!on) {
    StopKeyWatch();
    StopWindowHook();
    gate_.Clear();
    return;
  }
  if (!keys_ || keys_hold_start_page_ != settings.SetHomePage) {
    StartKeyWatch(settings.SetHomePage);
  }
  if (settings.EnablePopUpBlocker && !windows_hook_) {
    windows_hook_ = std::make_unique<win32::WindowEventHook>(
        [this](platform::WindowId window) { WindowAnnounced(window); });
  } else if (!settings.EnablePopUpBlocker && windows_hook_) {
    StopWindowHook();
  }
}

void GuardEvents::StopKeyWatch() {
  keys_wait_ = {};
  if (keys_) past_wakes_ += keys_->wakes();
  keys_.reset();
}

// The windows named so far, and those waiting for another look, go with it.
void GuardEvents::StopWindowHook() {
  if (windows_hook_) past_wakes_ += windows_hook_->events();
  windows_hook_.reset();
  lookAgain_.SetEnabled(false);
  new_windows_.Clear();
}

void GuardEvents::StartKeyWatch(bool start_page) {
  StopKeyWatch();
  std::vector<win32::KeyWatcher::Entry> entries;
  for (platform::RegistryView view : services_.registry.Views()) {
    entries.push_back({{platform::RegistryRoot::LocalMachine, view,
                        KeyPath(scanner::kBrowserHelperObjectsKey), win32::KeyChanges::kSubkeys},
                       kObjectsChanged});
  }
  if (start_page) {
    entries.push_back({{platform::RegistryRoot::CurrentUser, platform::RegistryView::k64,
                        KeyPath(kStartPageKey), win32::KeyChanges::kValues},
                       kStartPageChanged});
  }
  keys_ = std::make_unique<win32::KeyWatcher>(entries,
                                              [this](unsigned changes) { gate_.Raise(changes); });
  // Served by the window thread's message loop: no thread of its own. Were
  // the loop's wait full, the tick alone would watch.
  keys_wait_ = main_.application().WaitOn(keys_->events(),
                                          [this](std::size_t event) { keys_->Serve(event); });
  keys_hold_start_page_ = start_page;
}

// Only a browser window's class can make a pop-up, and a class never
// changes: other windows wake nothing further.
void GuardEvents::WindowAnnounced(platform::WindowId window) {
  if (MatchingFragments(services_.windows.ClassName(window)) == 0) return;
  new_windows_.Named(window);
  gate_.Raise(kWindowsChanged);
}

std::optional<WatchScope> GuardEvents::Wake() {
  ++messages_;
  const unsigned changes = gate_.Wake();
  if (changes == 0) return std::nullopt;
  WatchScope scope;
  scope.start_page = (changes & kStartPageChanged) != 0;
  scope.popups = (changes & kWindowsChanged) != 0;
  scope.objects = (changes & kObjectsChanged) != 0;
  scope.new_windows = &new_windows_;
  return scope;
}

void GuardEvents::AfterWork() {
  if (new_windows_.waiting_for_later() && !lookAgain_.enabled()) lookAgain_.SetEnabled(true);
}

void GuardEvents::LookAgain() {
  ++second_looks_;
  lookAgain_.SetEnabled(false);
  new_windows_.Due();
  if (!new_windows_.empty()) gate_.Raise(kWindowsChanged);
}

long GuardEvents::wakes() const {
  return past_wakes_ + messages_ + second_looks_ + (keys_ ? keys_->wakes() : 0) +
         (windows_hook_ ? windows_hook_->events() : 0);
}

}  // namespace qb::guardian
