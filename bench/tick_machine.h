#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "guardian/watch_cycle.h"
#include "lists/list_file.h"
#include "platform/memory_files.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_list.h"
#include "settings/settings.h"

namespace qb::bench {

// An unchanged machine under guard, for the tick's benchmark and leak
// check: 50 registered objects, all known or ignored, and 100 visible
// top-level windows, 10 of them browser windows with a maximise box. Made
// in the real (Wine) registry and desktop, and removed again.
class TickMachine {
 public:
  TickMachine();
  ~TickMachine();
  TickMachine(const TickMachine&) = delete;
  TickMachine& operator=(const TickMachine&) = delete;

  // One tick's work through the program's own code; aborts if it would ask.
  void Tick();
  // The same system calls without the program around them.
  void BareCalls();

 private:
  std::vector<std::wstring> object_keys_;
  std::vector<HWND> windows_;
  win32::Win32Registry registry_;
  win32::Win32CodePage code_page_;
  win32::Win32WindowList window_list_;
  platform::MemoryFiles files_;
  platform::FixedClock clock_{{2004, 3, 5, 9, 7, 2, 0}};
  lists::ClsidLists lists_{files_, "/p"};
  settings::Settings settings_;
  scanner::ObjectRemoval removal_;
  guardian::WatchCycle cycle_;
};

}  // namespace qb::bench
