// How soon the guard acts on a change that another program makes, with its
// events and with the tick alone (QUELLBRIGHT_GUARD_EVENTS=0), in one run:
// from this process creating a blocked object's key to the key being gone,
// and from this process showing a pop-up window to the close request
// reaching it; p50 and p95 over the tries, which start at random moments of
// the tick's period. Then the guard's wake-ups per minute on a machine where
// nothing changes: its timer's ticks and the events' wake-ups.
//
//   qb_react_benchmark [--tries 50] [--idle-seconds 30]
//
// It runs the real quellbright.exe from the Windows build (QB_BUILD_DIR) and
// replaces the registered helper objects: run it in a Wine prefix of its own.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

#include "fill/stopwatch.h"
#include "harness/program.h"
#include "harness/promotions.h"
#include "harness/registry_fixture.h"
#include "harness/ui.h"

namespace {

using qb::bench::Stopwatch;

constexpr wchar_t kBlocked[] = L"{BE0C0000-0000-4000-8000-0000000000B1}";
constexpr DWORD kGiveUpMs = 3000;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(1);
}

void HandleMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

// Waits `ms`, handling this thread's messages.
void Pause(DWORD ms) {
  const Stopwatch watch;
  for (;;) {
    HandleMessages();
    const double left = ms - watch.Milliseconds();
    if (left <= 0) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
  }
}

double Percentile(std::vector<double> samples, double share) {
  std::sort(samples.begin(), samples.end());
  const auto index =
      static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1) + 0.5);
  return samples[index];
}

// The milliseconds from the key's creation to its deletion by the guard,
// seen through the registry's own notification rather than by polling.
double TimeBlockedKey() {
  const std::wstring objects = qb::e2e::kBhoKey;
  HKEY parent = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, objects.c_str(), 0, KEY_NOTIFY | KEY_READ, &parent) !=
      ERROR_SUCCESS) {
    Fail("the objects' key is missing");
  }
  HANDLE changed = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const std::wstring key = objects + L"\\" + kBlocked;
  ::RegNotifyChangeKeyValue(parent, FALSE, REG_NOTIFY_CHANGE_NAME, changed, TRUE);
  const Stopwatch watch;
  qb::e2e::CreateKey(HKEY_LOCAL_MACHINE, key);
  double elapsed = -1;
  while (watch.Milliseconds() < kGiveUpMs) {
    ::WaitForSingleObject(changed, 50);
    ::RegNotifyChangeKeyValue(parent, FALSE, REG_NOTIFY_CHANGE_NAME, changed, TRUE);
    if (!qb::e2e::KeyExists(HKEY_LOCAL_MACHINE, key)) {
      elapsed = watch.Milliseconds();
      break;
    }
  }
  ::CloseHandle(changed);
  ::RegCloseKey(parent);
  if (elapsed < 0) Fail("the guard left a blocked object's key");
  return elapsed;
}

// A pop-up of this process: the close request it gets is timed.
LARGE_INTEGER g_closed{};
LRESULT CALLBACK PopupProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    if (g_closed.QuadPart == 0) ::QueryPerformanceCounter(&g_closed);
    ::DestroyWindow(window);
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

double TimePopup() {
  g_closed.QuadPart = 0;
  LARGE_INTEGER shown;
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&shown);
  HWND popup = ::CreateWindowW(L"IEFrame", L"Advert", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!popup) Fail("no pop-up window");
  const Stopwatch watch;
  while (g_closed.QuadPart == 0 && watch.Milliseconds() < kGiveUpMs) Pause(1);
  if (g_closed.QuadPart == 0) Fail("the guard left a pop-up open");
  return 1000.0 * static_cast<double>(g_closed.QuadPart - shown.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

struct Guard {
  qb::e2e::ProgramFolder folder;
  qb::e2e::Process process;
  HWND main = nullptr;

  explicit Guard(bool events) {
    qb::e2e::ResetRegistry();
    qb::e2e::SetLaunchState(0, 0);
    qb::e2e::CreateKey(HKEY_LOCAL_MACHINE, qb::e2e::kBhoKey);
    std::wstring clsid(kBlocked + 1, std::wcslen(kBlocked) - 2);
    folder.Write(L"BCLSIDs.txt", std::string(clsid.begin(), clsid.end()) + "\r\n");
    ::SetEnvironmentVariableW(L"QUELLBRIGHT_GUARD_EVENTS", events ? nullptr : L"0");
    process = folder.Start(L"NOHINT");
    ::SetEnvironmentVariableW(L"QUELLBRIGHT_GUARD_EVENTS", nullptr);
    main = qb::e2e::WaitForMainWindow(process);
    if (!main || !qb::e2e::WaitUntil([&] { return qb::e2e::GuardTicksDone(main) >= 2; })) {
      Fail("the guard did not start");
    }
  }
  // The guard's wake-ups: its timer's ticks and the events' wake-ups.
  long Wakeups() const { return qb::e2e::GuardTicksDone(main) + qb::e2e::GuardEventWakes(main); }
};

struct Latencies {
  std::vector<double> blocked;
  std::vector<double> popup;
  double idle_per_minute = 0;
};

Latencies Measure(bool events, int tries, int idle_seconds) {
  std::mt19937 random(22);
  // A try starts after the last one ended, which the tick alone ends at a
  // tick: a pause of up to one period starts it at any moment of the next.
  std::uniform_int_distribution<int> pause_ms(20, 520);
  Latencies result;
  Guard guard(events);
  for (int i = 0; i < tries; ++i) {
    Pause(static_cast<DWORD>(pause_ms(random)));
    result.blocked.push_back(TimeBlockedKey());
  }
  for (int i = 0; i < tries; ++i) {
    Pause(static_cast<DWORD>(pause_ms(random)));
    result.popup.push_back(TimePopup());
  }
  Pause(1000);
  const long before = guard.Wakeups();
  const Stopwatch watch;
  Pause(static_cast<DWORD>(idle_seconds) * 1000);
  const long after = guard.Wakeups();
  result.idle_per_minute = (after - before) * 60000.0 / watch.Milliseconds();
  return result;
}

void PrintRow(const char* name, const std::vector<double>& samples) {
  std::printf("  %-22s p50 %7.1f ms   p95 %7.1f ms   max %7.1f ms\n", name,
              Percentile(samples, 0.5), Percentile(samples, 0.95),
              *std::max_element(samples.begin(), samples.end()));
}

}  // namespace

int main(int argc, char** argv) {
  int tries = 50;
  int idle_seconds = 30;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--tries") tries = std::max(2, std::atoi(argv[i + 1]));
    if (option == "--idle-seconds") idle_seconds = std::max(1, std::atoi(argv[i + 1]));
  }
  WNDCLASSW popup_class{};
  popup_class.lpfnWndProc = PopupProcedure;
  popup_class.hInstance = ::GetModuleHandleW(nullptr);
  popup_class.lpszClassName = L"IEFrame";
  ::RegisterClassW(&popup_class);

  const Latencies events = Measure(true, tries, idle_seconds);
  const Latencies tick = Measure(false, tries, idle_seconds);
  std::printf("A blocked object's key made by another process, until it is gone (%d tries):\n",
              tries);
  PrintRow("events and tick", events.blocked);
  PrintRow("tick alone", tick.blocked);
  std::printf("A pop-up shown by another process, until it is asked to close (%d tries):\n", tries);
  PrintRow("events and tick", events.popup);
  PrintRow("tick alone", tick.popup);
  std::printf("The guard's wake-ups per minute with nothing changing (%d s):\n", idle_seconds);
  std::printf("  %-22s %7.1f\n  %-22s %7.1f\n", "events and tick", events.idle_per_minute,
              "tick alone", tick.idle_per_minute);
  std::printf("p95 ratio (tick alone / events): blocked object %.1f, pop-up %.1f\n",
              Percentile(tick.blocked, 0.95) / Percentile(events.blocked, 0.95),
              Percentile(tick.popup, 0.95) / Percentile(events.popup, 0.95));
  qb::e2e::ResetRegistry();
  return 0;
}
