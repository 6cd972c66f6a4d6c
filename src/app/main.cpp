#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/app_context.h"
#include "app/command_modes.h"
#include "app/orvex.h"
#include "lists/list_file.h"
#include "platform/win32/command_line.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_evidence.h"
#include "platform/win32/win32_file_locator.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_version_info.h"
#include "promo/promo_schedule.h"
#include "toolkit/application.h"

namespace {

using qb::app::TOrvex;

// COM on the one thread, for the shell that opens the help and web pages:
// ShellExecuteEx may hand the work to shell extensions.
class ComApartment {
 public:
  ComApartment()
      : initialised_(SUCCEEDED(
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (initialised_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

HWND FindRunningCopy() { return ::FindWindowW(TOrvex::kClassName, L": Quellbright :"); }

// Wakes a running copy. The window lookup alone leaves a gap while a copy is
// still starting; the mutex closes it: a copy that finds the mutex taken
// waits for the other's window instead of starting a second program.
bool WakeRunningCopy(bool another_is_starting) {
  HWND running = FindRunningCopy();
  for (int waited = 0; !running && another_is_starting && waited < 10000; waited += 50) {
    ::Sleep(50);
    running = FindRunningCopy();
  }
  if (!running) return false;
  ::PostMessageW(running, WM_USER, 0, 0);
  ::SetForegroundWindow(running);
  return true;
}

int RunProgram(qb::toolkit::Application& application) {
  qb::win32::Win32Registry registry;
  qb::win32::Win32Files files;
  qb::win32::Win32Clock clock;
  qb::win32::Win32FileLocator locator;
  qb::win32::Win32VersionInfo versions;
  qb::win32::Win32FileEvidence evidence;
  const qb::win32::Win32CodePage code_page;
  const std::filesystem::path folder = qb::win32::ProgramFolder();
  qb::lists::ClsidLists lists(files, folder);
  qb::settings::Settings settings;
  qb::scanner::ObjectRemoval removal(registry, files, clock, folder, lists.blocked, code_page);
  qb::app::AppContext context{registry,  files,  clock,  locator,  versions, evidence,
                              code_page, folder, lists, settings, removal};

  // Before any window exists. A registry fault is reported, and the program
  // goes on without counting this start.
  bool counted = false;
  qb::toolkit::Guarded([&] {
    qb::promo::PromoSchedule(registry, clock).CountLaunch();
    counted = true;
  });

  TOrvex main_window(application, context, !counted);
  return application.Run(main_window, main_window.show_at_start());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The modes for administrators run on their own, beside a guarding copy.
  if (const auto code = qb::app::RunCommandMode(qb::win32::Arguments())) return *code;
  if (FindRunningCopy() && WakeRunningCopy(false)) return 0;
  qb::win32::UniqueKernelHandle starting(
      ::CreateMutexW(nullptr, TRUE, L"Local\\Quellbright.SingleInstance"));
  if (::GetLastError() == ERROR_ALREADY_EXISTS && WakeRunningCopy(true)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  const ComApartment com;
  qb::toolkit::Application application(instance, TOrvex::kTitle);
  try {
    return RunProgram(application);
  } catch (const std::exception& error) {
    // A failure while the windows are made, such as a list file that cannot
    // be read: the program ends rather than run without it.
    qb::toolkit::ShowErrorBox(error.what());
  }
  return 1;
}
