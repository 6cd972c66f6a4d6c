#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/test_objects.h"
#include "harness/tray.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kAlertCaption[] = L": Alert! :";
constexpr wchar_t kStartPageKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr wchar_t kActiveNotice[] = L"Vod Uridazur is now active.";

// Handles the messages of this thread's windows (the pop-ups below).
void HandleOwnMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

void HandleOwnMessagesFor(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  while (::GetTickCount64() < end) {
    HandleOwnMessages();
    ::Sleep(5);
  }
}

// A key that refuses everyone the right to read it, and so to delete what
// lies below it, as a machine-wide object can for a user without
// administrator rights; lifted again at the end, so that the next reset can
// clean up.
class UndeletableKey {
 public:
  explicit UndeletableKey(std::wstring path) : path_(std::move(path)) {
    Apply(L"D:(D;;KR;;;WD)(A;;KA;;;WD)");
  }
  ~UndeletableKey() { Apply(L"D:(A;;KA;;;WD)"); }
  UndeletableKey(const UndeletableKey&) = delete;
  UndeletableKey& operator=(const UndeletableKey&) = delete;

 private:
  void Apply(const wchar_t* descriptor) const {
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                                &security, nullptr)) {
      return;
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
      ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security);
      ::RegCloseKey(key);
    }
    ::LocalFree(security);
  }

  std::wstring path_;
};

class GuardianTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    DeleteTree(HKEY_CURRENT_USER, kStartPageKey);
  }

  // The guard's visible state on the main window.
  std::wstring StartStopCaption() { return TextOf(Control(main_, ids::kBtStartStopGuardian)); }
  std::wstring TimerState() { return TextOf(Control(main_, ids::kLTimerState)); }

  // Started by AutoStart, silently, with the main window shown.
  void StartGuarding() {
    ASSERT_TRUE(StartProgram(L"nohint"));
    ASSERT_TRUE(WaitUntil([&] { return StartStopCaption() == L"&Stop"; }));
  }

  HWND WaitForAlert(DWORD timeout_ms = 5000) {
    return WaitForShown(process_.id(), L"TfrmAlert", kAlertCaption, timeout_ms);
  }
  bool AlertShown() { return ShownWindow(process_.id(), L"TfrmAlert", kAlertCaption); }
  void AnswerAlert(HWND alert, int button) {
    Click(Control(alert, button));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(alert); }));
  }
  // Waits until `ticks` more of the guard's ticks have run to their end
  // (the first may be one already under way), handling this thread's
  // messages meanwhile; false when an alert holds a tick up instead.
  bool LetTicksPass(int ticks = 2) {
    const int start = GuardTicksDone(main_);
    bool passed = false;
    WaitUntil([&] {
      passed = GuardTicksDone(main_) >= start + ticks;
      // After the count: what a counted tick posted here is handled too.
      HandleOwnMessages();
      return passed || AlertShown();
    });
    return passed && !AlertShown();
  }
  // The guard is off once the program has handled its messages: no tick
  // runs or can come.
  bool GuardStaysOff() {
    return FlushPostedMessages(Control(main_, ids::kLbMain)) && !GuardRunning(main_);
  }
};

TEST_F(GuardianTest, SwitchingOnHidesTheWindowAndSwitchingOffShowsItWithTheCaptions) {
  SetSetting(L"AutoStart", L"0");
  SetSetting(L"StartMinimized", L"0");
  ASSERT_TRUE(StartProgram());
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_EQ(TimerState(), L"is off");
  Click(Control(main_, ids::kBtVodUridazur));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main_, ids::kBtStartStopGuardian)); }));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kCheckBox1)));

  Click(Control(main_, ids::kBtStartStopGuardian));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }));
  EXPECT_EQ(StartStopCaption(), L"&Stop");
  EXPECT_EQ(TimerState(), L"is active");
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtScanner)));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtIgnoredObjects)));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtBlockedObjects)));
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kCheckBox1)));

  PostCommand(main_, ids::kAStartStopGuardian);  // the menu item
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_EQ(StartStopCaption(), L"&Start");
  EXPECT_EQ(TimerState(), L"is off");
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtScanner)));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kCheckBox1)));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtRemoveObject)));
}

TEST_F(GuardianTest, TheStateLabelIsCentredUnderTheCaption) {
  StartGuarding();
  const RECT state = WindowRect(Control(main_, ids::kLTimerState));
  const RECT caption = WindowRect(Control(main_, ids::kLCaption));
  EXPECT_LE(std::abs((state.left + state.right) - (caption.left + caption.right)), 2);
  EXPECT_LT(state.right - state.left, caption.right - caption.left) << "sized to its text";
}

TEST_F(GuardianTest, SwitchingOnShowsItsBalloonUnlessTheFirstArgumentIsNoHint) {
  SetSetting(L"StartMinimized", L"0");
  ASSERT_TRUE(StartProgram());  // AutoStart switches the guard on
  EXPECT_TRUE(WaitForBalloon(kActiveNotice, 8000));
  process_.Close();

  StartGuarding();
  EXPECT_FALSE(WaitForBalloon(kActiveNotice, 5000));
  // Every later switch-on of the run is silent too.
  Click(Control(main_, ids::kBtStartStopGuardian));
  ASSERT_TRUE(WaitUntil([&] { return StartStopCaption() == L"&Start"; }));
  Click(Control(main_, ids::kBtStartStopGuardian));
  ASSERT_TRUE(WaitUntil([&] { return StartStopCaption() == L"&Stop"; }));
  EXPECT_FALSE(WaitForBalloon(kActiveNotice, 5000));
  EXPECT_FALSE(WaitForMessageBox(process_.id(), L": Vod Uridazur is active :", 300));
}

TEST_F(GuardianTest, StartMinimizedHidesAtStartAndNohideInAnyCaseShowsTheWindow) {
  SetSetting(L"AutoStart", L"0");
  ASSERT_TRUE(StartProgram());
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_FALSE(::IsWindowVisible(main_));
  process_.Close();

  ASSERT_TRUE(StartProgram(L"nOhIdE"));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  process_.Close();

  ASSERT_TRUE(StartProgram(L"x NOHIDE"));  // the second argument is never read
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_FALSE(::IsWindowVisible(main_));
}

TEST_F(GuardianTest, ANewObjectRaisesTheAlertWithItsDetails) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  SetSetting(L"StartMinimized", L"0");
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  const VersionStrings version = ReadVersionStrings(SampleHelperPath());
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit1)), SampleHelperPath());
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit6)), L"Sample helper");
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit2)), version.description);
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit3)), version.file_version);
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit4)), version.product_name);
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit5)), version.publisher);
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertText)), L"Suspicious object is detected!");
  EXPECT_EQ(TextOf(Control(alert, ids::kBitBtn1)), L"Allow and ignore");
  EXPECT_EQ(TextOf(Control(alert, ids::kBitBtn2)), L"Delete");
  EXPECT_EQ(TextOf(Control(alert, ids::kBitBtn3)), L"Stop Guardian");
  EXPECT_EQ(::GetWindowLongW(alert, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_FALSE(IsEnabled(main_)) << "the rest of the program waits";
}

TEST_F(GuardianTest, TheNextAlertShowsNothingLeftOverFromTheFirst) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  Register({Braced(kB)});  // no class registration: nothing to show but the notice
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  ASSERT_EQ(TextOf(Control(alert, ids::kAlertEdit1)), SampleHelperPath());
  // The same dialog comes back at once, within the same tick.
  Click(Control(alert, ids::kBitBtn1));
  ASSERT_TRUE(WaitUntil([&] {
    return AlertShown() &&
           TextOf(Control(alert, ids::kAlertEdit1)) == L"No info is available or not valid CLSID";
  }));
  for (int field :
       {ids::kAlertEdit6, ids::kAlertEdit2, ids::kAlertEdit3, ids::kAlertEdit4, ids::kAlertEdit5}) {
    EXPECT_EQ(TextOf(Control(alert, field)), L"") << field;
  }
}

TEST_F(GuardianTest, EscapeEnterAndTheCloseCommandsLeaveTheAlertOpen) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  PressKey(alert, VK_ESCAPE);
  PressKey(alert, VK_RETURN);
  ::PostMessageW(alert, WM_CLOSE, 0, 0);
  ::PostMessageW(alert, WM_SYSCOMMAND, SC_CLOSE, 0);
  // Twice: handling a key or a close request can post more (a character).
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_TRUE(::IsWindowVisible(alert));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_FALSE(folder_.Read(L"ICLSIDs.txt"));
}

TEST_F(GuardianTest, TabFromTheFreshAlertReachesDeleteFirst) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  GUITHREADINFO info{sizeof info};
  const DWORD thread = ::GetWindowThreadProcessId(alert, nullptr);
  ASSERT_TRUE(WaitUntil([&] {
    return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == Control(alert, ids::kAlertPanel1);
  }));
  PressKey(info.hwndFocus, VK_TAB);
  EXPECT_TRUE(WaitUntil([&] {
    return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == Control(alert, ids::kBitBtn2);
  }));
}

TEST_F(GuardianTest, AllowAndIgnoreListsTheObjectWhichStaysAndIsNotAskedAgain) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  AnswerAlert(alert, ids::kBitBtn1);
  EXPECT_TRUE(WaitUntil([&] { return folder_.Read(L"ICLSIDs.txt").has_value(); }));
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), Narrow(kA) + "\r\n");
  EXPECT_TRUE(LetTicksPass());
  EXPECT_FALSE(AlertShown());
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
}

TEST_F(GuardianTest, DeleteBacksUpAndBlocksAndAReturningObjectIsRemovedSilently) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  AnswerAlert(alert, ids::kBitBtn2);
  EXPECT_TRUE(WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)); }));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), Narrow(kA) + "\r\n");
  EXPECT_EQ(folder_.FilesIn(L"backup").size(), 1u);

  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  const ULONGLONG registered = ::GetTickCount64();
  ASSERT_TRUE(WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)); }, 3000));
  EXPECT_LE(::GetTickCount64() - registered, 1500u) << "within about a second";
  EXPECT_FALSE(AlertShown());
  EXPECT_EQ(folder_.FilesIn(L"backup").size(), 1u) << "no backup for a blocked object";
}

TEST_F(GuardianTest, StopGuardianLeavesTheSecondObjectUnaskedAndTheGuardOff) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  Register({Braced(kB), L"Sample helper", SampleHelperPath()});
  SetSetting(L"StartMinimized", L"1");
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  AnswerAlert(alert, ids::kBitBtn3);
  EXPECT_TRUE(WaitUntil([&] { return StartStopCaption() == L"&Start"; }));
  EXPECT_EQ(TimerState(), L"is off");
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_TRUE(GuardStaysOff());
  EXPECT_FALSE(AlertShown());
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kB)));
  EXPECT_FALSE(folder_.Read(L"ICLSIDs.txt"));
}

TEST_F(GuardianTest, AStopFromTheMenuDuringAnAlertTakesEffectWhenItIsAnswered) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  Register({Braced(kB), L"Sample helper", SampleHelperPath()});
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  PostCommand(main_, ids::kAStartStopGuardian);  // the tray menu's item
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_TRUE(::IsWindowVisible(alert));
  EXPECT_EQ(StartStopCaption(), L"&Stop") << "not before the answer";
  AnswerAlert(alert, ids::kBitBtn1);
  EXPECT_TRUE(WaitUntil([&] { return StartStopCaption() == L"&Start"; }));
  EXPECT_TRUE(GuardStaysOff()) << "no further tick";
  EXPECT_FALSE(AlertShown());
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), Narrow(kA) + "\r\n");
}

TEST_F(GuardianTest, ABlockedObjectThatCannotBeDeletedIsNamedInABalloonAndStays) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  folder_.Write(L"BCLSIDs.txt", Narrow(kA) + "\r\n");
  const UndeletableKey refusing(ObjectKey(kA));
  StartGuarding();
  EXPECT_TRUE(WaitForBalloon(L"The blocked object " + Braced(kA) +
                                 L" could not be removed (access is denied). It stays "
                                 L"installed; Vod Uridazur keeps trying.",
                             8000));
  // Read through its parent: the key itself refuses to be opened.
  const std::vector<std::wstring> names = SubkeyNames(HKEY_LOCAL_MACHINE, kBhoKey);
  EXPECT_NE(std::find(names.begin(), names.end(), Braced(kA)), names.end());
  EXPECT_FALSE(AlertShown()) << "a blocked object is never asked about";
  EXPECT_EQ(StartStopCaption(), L"&Stop") << "the guard goes on";
}

TEST_F(GuardianTest, AListThatCannotBeWrittenStopsTheGuardVisibly) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  folder_.Write(L"ICLSIDs.txt", "");
  SetSetting(L"StartMinimized", L"1");
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  // Held open by another program: the list cannot be saved.
  HANDLE held = ::CreateFileW(folder_.File(L"ICLSIDs.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  AnswerAlert(alert, ids::kBitBtn1);
  const auto error = AnswerMessageBox(process_.id(), kProgramCaption, IDOK);
  ::CloseHandle(held);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->rfind(L"Cannot create file ", 0), 0u);
  EXPECT_TRUE(WaitUntil([&] { return StartStopCaption() == L"&Start"; }));
  EXPECT_EQ(TimerState(), L"is off");
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtScanner)));
}

TEST_F(GuardianTest, AHeldStartPageIsRestoredWithinASecond) {
  SetSetting(L"SetHomePage", L"1");
  SetSetting(L"HomePage", L"http://home.example/");
  StartGuarding();
  ASSERT_TRUE(WaitUntil([&] {
    return ReadString(HKEY_CURRENT_USER, kStartPageKey, L"Start Page") == L"http://home.example/";
  }));
  SetString(HKEY_CURRENT_USER, kStartPageKey, L"Start Page", L"http://hijack.example/");
  const ULONGLONG changed = ::GetTickCount64();
  ASSERT_TRUE(WaitUntil(
      [&] {
        return ReadString(HKEY_CURRENT_USER, kStartPageKey, L"Start Page") ==
               L"http://home.example/";
      },
      3000));
  EXPECT_LE(::GetTickCount64() - changed, 1500u) << "within about a second";
}

TEST_F(GuardianTest, WithTheGuardOffTheStartPageIsLeftAlone) {
  SetSetting(L"SetHomePage", L"1");
  SetSetting(L"AutoStart", L"0");
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  EXPECT_TRUE(GuardStaysOff());
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kStartPageKey, L"Start Page"));
}

// Windows of this test process that count the close requests they get and
// stay open, so that the pass can be watched over several ticks.
class PopupWindows {
 public:
  PopupWindows() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"IEFrame";
    ::RegisterClassW(&window_class);
  }
  ~PopupWindows() {
    for (HWND window : windows_) ::DestroyWindow(window);
  }

  HWND Make(const wchar_t* title, DWORD style) {
    HWND window = ::CreateWindowW(L"IEFrame", title, style, 0, 0, 200, 100, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    windows_.push_back(window);
    return window;
  }
  static int Closes(HWND window) {
    return static_cast<int>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, Closes(window) + 1);
      return 0;
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
  }

  std::vector<HWND> windows_;
};

TEST_F(GuardianTest, ThePopUpBlockerClosesOnlyTitledBrowserWindowsWithoutMaximiseBox) {
  PopupWindows popups;
  HWND popup = popups.Make(L"Advert", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  HWND browser = popups.Make(L"Browser",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_VISIBLE);
  HWND untitled = popups.Make(L"", WS_POPUP | WS_VISIBLE);
  HWND hidden = popups.Make(L"Hidden", WS_POPUP | WS_CAPTION);
  StartGuarding();
  ASSERT_TRUE(LetTicksPass());
  EXPECT_GE(PopupWindows::Closes(popup), 1);
  EXPECT_EQ(PopupWindows::Closes(browser), 0);
  EXPECT_EQ(PopupWindows::Closes(untitled), 0);
  EXPECT_EQ(PopupWindows::Closes(hidden), 0);
}

TEST_F(GuardianTest, WithTheBlockerOffNoWindowIsClosed) {
  PopupWindows popups;
  HWND popup = popups.Make(L"Advert", WS_POPUP | WS_CAPTION | WS_VISIBLE);
  SetSetting(L"EnablePopUpBlocker", L"0");
  StartGuarding();
  ASSERT_TRUE(LetTicksPass());
  EXPECT_EQ(PopupWindows::Closes(popup), 0);
}

TEST_F(GuardianTest, MinimisingTheFirstTimeShowsTheHintOnceAndStoresIt) {
  SetSetting(L"AutoStart", L"0");
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  ::PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }));
  EXPECT_TRUE(WaitUntil([&] { return Setting(L"TrayHint") == L"1"; }));
  EXPECT_FALSE(::IsIconic(main_)) << "not left minimised on the taskbar";
  EXPECT_TRUE(WaitForBalloon(L"You can restore program by clicking the icon", 8000));

  // Shown again and minimised again: the window goes, nothing more is stored.
  ::PostMessageW(main_, WM_USER, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, L"TrayHint");
  ::PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }));
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_FALSE(Setting(L"TrayHint"));
}

TEST_F(GuardianTest, AClickOnTheTrayIconHidesTheShownWindowAndAnotherShowsItAgain) {
  SetSetting(L"AutoStart", L"0");
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  HWND tray = TrayWindowOf(process_.id());
  ASSERT_TRUE(tray);
  ClickTrayIcon(tray);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }, 3000));
  EXPECT_FALSE(::IsIconic(main_));
  ClickTrayIcon(tray);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }, 3000));
}

// The shell announces the taskbar again while it still holds the icon: the
// icon stays, so the window still goes to the tray rather than the taskbar.
TEST_F(GuardianTest, ATaskbarAnnouncedAgainLeavesEscapeHidingToTheTray) {
  SetSetting(L"AutoStart", L"0");
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  HWND tray = TrayWindowOf(process_.id());
  ASSERT_TRUE(tray);
  AnnounceTaskbar(tray);
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  PressKey(main_, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }, 3000));
  EXPECT_FALSE(::IsIconic(main_)) << "minimised to the taskbar: the icon was taken for gone";
}

// Another program that makes and deletes keys as fast as it can, on a
// thread of its own, until it is destroyed; it deletes them last.
class KeyStorm {
 public:
  explicit KeyStorm(std::vector<std::wstring> keys)
      : keys_(std::move(keys)), thread_([this] {
          while (!stop_) {
            for (const std::wstring& key : keys_) CreateKey(HKEY_LOCAL_MACHINE, key);
            for (const std::wstring& key : keys_) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
            ++rounds_;
          }
        }) {}
  ~KeyStorm() {
    stop_ = true;
    thread_.join();
  }
  KeyStorm(const KeyStorm&) = delete;
  KeyStorm& operator=(const KeyStorm&) = delete;

  long rounds() const { return rounds_; }

 private:
  std::vector<std::wstring> keys_;
  std::atomic<bool> stop_{false};
  std::atomic<long> rounds_{0};
  std::thread thread_;
};

class GuardEventsTest : public GuardianTest {
 protected:
  // Makes `change` just after a tick has ended and waits until `done`
  // (handling this thread's messages): true when it was done before the next
  // tick could run, by the guard's own count of its ticks. Three tries: a
  // loaded machine can hold the test itself up for a whole period.
  bool DoneBeforeTheNextTick(const std::function<void()>& change,
                             const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      const int earlier = GuardTicksDone(main_);
      if (earlier < 0 || !WaitUntil([&] { return GuardTicksDone(main_) > earlier; }, 3000)) {
        return false;
      }
      const int ticks = GuardTicksDone(main_);
      change();
      const auto done_here = [&] {
        HandleOwnMessages();
        return done();
      };
      if (!WaitUntil(done_here, 3000)) return false;
      if (GuardTicksDone(main_) == ticks) return true;
    }
    return false;
  }
};

TEST_F(GuardEventsTest, ChangesAreActedOnBeforeTheNextTick) {
  folder_.Write(L"BCLSIDs.txt", Narrow(kA) + "\r\n" + Narrow(kB) + "\r\n" + Narrow(kC) + "\r\n");
  SetSetting(L"SetHomePage", L"1");
  SetSetting(L"HomePage", L"http://home.example/");
  StartGuarding();
  const auto gone = [](const std::wstring& key) {
    return [key] { return !KeyExists(HKEY_LOCAL_MACHINE, key); };
  };

  EXPECT_TRUE(DoneBeforeTheNextTick([] { Register({Braced(kA)}); }, gone(ObjectKey(kA))))
      << "a blocked object";
  EXPECT_TRUE(DoneBeforeTheNextTick([] { Register({Braced(kB)}, KEY_WOW64_32KEY); },
                                    gone(std::wstring(kBhoKey32) + L"\\" + Braced(kB))))
      << "a blocked object of the 32-bit view";
  EXPECT_TRUE(DoneBeforeTheNextTick(
      [] {
        DeleteTree(HKEY_LOCAL_MACHINE, kBhoKey);
        Register({Braced(kC)});
      },
      gone(ObjectKey(kC))))
      << "the objects' key deleted and made again, with a blocked object";
  EXPECT_TRUE(DoneBeforeTheNextTick(
      [] { SetString(HKEY_CURRENT_USER, kStartPageKey, L"Start Page", L"http://hijack.example/"); },
      [] {
        return ReadString(HKEY_CURRENT_USER, kStartPageKey, L"Start Page") ==
               L"http://home.example/";
      }))
      << "the start page";

  PopupWindows popups;
  HWND popup = nullptr;
  EXPECT_TRUE(DoneBeforeTheNextTick(
      [&] { popup = popups.Make(L"Advert", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE); },
      [&] { return PopupWindows::Closes(popup) > 0; }))
      << "a pop-up shown as it is made";
  // Made hidden and untitled, shown and titled a moment later, as a browser
  // makes its windows: Wine announces only the making.
  EXPECT_TRUE(DoneBeforeTheNextTick(
      [&] {
        popup = popups.Make(L"", WS_POPUP | WS_CAPTION | WS_SYSMENU);
        HandleOwnMessagesFor(100);
        ::SetWindowTextW(popup, L"Advert");
        ::ShowWindow(popup, SW_SHOWNA);
      },
      [&] { return PopupWindows::Closes(popup) > 0; }))
      << "a pop-up shown after it was made";
}

// An alert can be up for minutes: no work runs meanwhile, and what came is
// served as soon as it is answered.
TEST_F(GuardEventsTest, AChangeDuringAnAlertWaitsForTheAnswerAndIsThenServedAtOnce) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  folder_.Write(L"BCLSIDs.txt", Narrow(kB) + "\r\n");
  StartGuarding();
  HWND alert = WaitForAlert();
  ASSERT_TRUE(alert);
  const int ticks = GuardTicksDone(main_);  // the alert's tick has not ended
  const int wakes = GuardEventWakes(main_);
  ASSERT_GE(wakes, 0);
  Register({Braced(kB)});
  // The registry's notification and the message it sent have come.
  ASSERT_TRUE(WaitUntil([&] { return GuardEventWakes(main_) >= wakes + 2; }));
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kB))) << "no work while the alert is up";
  AnswerAlert(alert, ids::kBitBtn1);
  EXPECT_TRUE(WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kB)); }, 3000));
  EXPECT_EQ(GuardTicksDone(main_), ticks + 1) << "the alert's tick, and no further one";
  EXPECT_FALSE(AlertShown());
}

TEST_F(GuardEventsTest,
       KeysMadeAndDeletedThousandsOfTimesASecondNeitherSpinTheGuardNorStackAlerts) {
  folder_.Write(L"BCLSIDs.txt", Narrow(kA) + "\r\n");
  StartGuarding();
  HWND list = Control(main_, ids::kLbMain);
  {
    KeyStorm blocked({ObjectKey(kA)});
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < 2000) {
      ASSERT_TRUE(FlushPostedMessages(list)) << "the program answers during the storm";
    }
    // The storm itself is real: here about 2,000 rounds a second, each a key
    // made and deleted; a loaded machine may give far fewer, and a few
    // hundred still outrun any tick.
    EXPECT_GT(blocked.rounds(), 200);
  }
  // Once the storm is over, the guard comes to rest.
  ASSERT_TRUE(LetTicksPass());
  const int wakes = GuardEventWakes(main_);
  ASSERT_GE(wakes, 0);
  ASSERT_TRUE(LetTicksPass());
  EXPECT_EQ(GuardEventWakes(main_), wakes) << "woken with nothing changing";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));

  HWND alert = nullptr;
  {
    KeyStorm unknown({ObjectKey(kB)});
    alert = WaitForAlert();
    ASSERT_TRUE(alert);
    const int runs = GuardEventRuns(main_);
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < 1000) {
      ASSERT_TRUE(FlushPostedMessages(list)) << "the program answers with the alert up";
    }
    EXPECT_EQ(GuardEventRuns(main_), runs) << "no work while the alert is up";
  }
  AnswerAlert(alert, ids::kBitBtn1);
  EXPECT_TRUE(LetTicksPass()) << "no second alert";
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), Narrow(kB) + "\r\n");
}

TEST_F(GuardianTest, ClosingWhileTheAlertIsUpEndsTheProgram) {
  Register({Braced(kA), L"Sample helper", SampleHelperPath()});
  StartGuarding();
  ASSERT_TRUE(WaitForAlert());
  PostCommand(main_, ids::kCloseprogram1);
  EXPECT_EQ(process_.WaitForExit(5000), 0u);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
}

}  // namespace
}  // namespace qb::e2e
