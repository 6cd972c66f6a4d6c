#include "platform/win32/key_watcher.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qb::win32 {
namespace {

using platform::RegistryRoot;
using platform::RegistryView;

constexpr wchar_t kBase[] = L"Software\\QbWin32WatchTest";
constexpr unsigned kToken = 7;

void Create(HKEY root, const std::wstring& path, REGSAM view = KEY_WOW64_64KEY) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                              &key, nullptr),
            ERROR_SUCCESS)
      << std::string(path.begin(), path.end());
  ::RegCloseKey(key);
}

void SetValue(HKEY root, const std::wstring& path, const wchar_t* text) {
  ASSERT_EQ(::RegSetKeyValueW(root, path.c_str(), L"v", REG_SZ, text,
                              static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

// What a watcher reported. The test's thread is the watcher's: it waits on
// the events and serves them, as the program's message loop does.
class Reports {
 public:
  KeyWatcher::OnChange Sink() {
    return [this](unsigned token) { tokens_.push_back(token); };
  }
  // Whether a report came within the time; it is taken, with the reports
  // that follow it closely (one change can make several).
  bool Came(KeyWatcher& watcher, DWORD timeout_ms = 2000) {
    const ULONGLONG until = ::GetTickCount64() + timeout_ms;
    while (tokens_.empty() && ServeOne(watcher, until)) {
    }
    if (tokens_.empty()) return false;
    while (ServeOne(watcher, ::GetTickCount64() + 100)) {
    }
    for (unsigned token : tokens_) EXPECT_EQ(token, kToken);
    tokens_.clear();
    return true;
  }
  // Quiet for a while: nothing to report.
  bool Quiet(KeyWatcher& watcher) { return !Came(watcher, 200); }

 private:
  static bool ServeOne(KeyWatcher& watcher, ULONGLONG until) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= until) return false;
    const std::vector<HANDLE>& events = watcher.events();
    const DWORD result = ::WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(),
                                                  FALSE, static_cast<DWORD>(until - now));
    if (result >= WAIT_OBJECT_0 + events.size()) return false;
    watcher.Serve(result - WAIT_OBJECT_0);
    return true;
  }

  std::vector<unsigned> tokens_;
};

class KeyWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }

  static std::wstring Path(const wchar_t* below) { return std::wstring(kBase) + L"\\" + below; }
  KeyWatcher Watch(const std::wstring& path, KeyChanges changes) {
    return KeyWatcher({{{RegistryRoot::CurrentUser, RegistryView::k64,
                         std::u16string(path.begin(), path.end()), changes},
                        kToken}},
                      reports.Sink());
  }

  Reports reports;
};

TEST_F(KeyWatcherTest, SubkeysThatComeOrGoAreReportedAndSiblingsAndValuesAreNot) {
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects"));
  KeyWatcher watcher = Watch(Path(L"A\\Objects"), KeyChanges::kSubkeys);

  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}"));
  EXPECT_TRUE(reports.Came(watcher)) << "a subkey made";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}").c_str());
  EXPECT_TRUE(reports.Came(watcher)) << "a subkey deleted";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{2}"));
  EXPECT_TRUE(reports.Came(watcher)) << "watched again after each report";

  SetValue(HKEY_CURRENT_USER, Path(L"A\\Objects"), L"x");
  Create(HKEY_CURRENT_USER, Path(L"A\\Sibling"));
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{2}\\Below"));
  EXPECT_TRUE(reports.Quiet(watcher)) << "a value, a sibling, a key further down";
  EXPECT_GE(watcher.wakes(), 4) << "the sibling woke the watch, which told nobody";
}

// Wine signals nothing on a deleted key's own notification: the levels
// above tell.
TEST_F(KeyWatcherTest, TheKeyDeletedAndMadeAgainAtAnyDepthIsWatchedAgain) {
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects"));
  KeyWatcher watcher = Watch(Path(L"A\\Objects"), KeyChanges::kSubkeys);

  ::RegDeleteTreeW(HKEY_CURRENT_USER, Path(L"A\\Objects").c_str());
  EXPECT_TRUE(reports.Came(watcher)) << "the key went";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects"));
  EXPECT_TRUE(reports.Came(watcher)) << "the key came back";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}"));
  EXPECT_TRUE(reports.Came(watcher)) << "the new key is watched";

  ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
  EXPECT_TRUE(reports.Came(watcher)) << "deleted with the levels above it";
  Create(HKEY_CURRENT_USER, Path(L"A"));
  EXPECT_TRUE(reports.Quiet(watcher)) << "a level above came back, not the key";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}"));
  EXPECT_TRUE(reports.Came(watcher)) << "made again, with an object inside at once";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{2}"));
  EXPECT_TRUE(reports.Came(watcher));
}

TEST_F(KeyWatcherTest, AValuesWatchReportsEachWriteAndAKeyThatIsMissingAtFirst) {
  KeyWatcher watcher = Watch(Path(L"Main"), KeyChanges::kValues);
  SetValue(HKEY_CURRENT_USER, Path(L"Main"), L"http://a/");
  EXPECT_TRUE(reports.Came(watcher)) << "the key made, with its value";
  SetValue(HKEY_CURRENT_USER, Path(L"Main"), L"http://b/");
  EXPECT_TRUE(reports.Came(watcher));
  SetValue(HKEY_CURRENT_USER, Path(L"Main"), L"http://c/");
  EXPECT_TRUE(reports.Came(watcher));
  Create(HKEY_CURRENT_USER, Path(L"Main\\Below"));
  EXPECT_TRUE(reports.Quiet(watcher));
}

// A 32-bit browser's objects live in the 32-bit view of the machine's keys.
TEST(KeyWatcherViewTest, AWatchSeesItsOwnViewOnly) {
  const std::wstring path = L"SOFTWARE\\QbWin32WatchTest\\Objects";
  Create(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY);
  Create(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY);
  Reports reports;
  {
    KeyWatcher watcher({{{RegistryRoot::LocalMachine, RegistryView::k32,
                          std::u16string(path.begin(), path.end()), KeyChanges::kSubkeys},
                         kToken}},
                       reports.Sink());
    Create(HKEY_LOCAL_MACHINE, path + L"\\{64}", KEY_WOW64_64KEY);
    EXPECT_TRUE(reports.Quiet(watcher));
    Create(HKEY_LOCAL_MACHINE, path + L"\\{32}", KEY_WOW64_32KEY);
    EXPECT_TRUE(reports.Came(watcher));
  }
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\QbWin32WatchTest");
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\QbWin32WatchTest");
}

}  // namespace
}  // namespace qb::win32
