#include "platform/win32/key_watcher.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
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

// What a watcher reported, from its thread.
class Reports {
 public:
  Reports() : arrived_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Reports() { ::CloseHandle(arrived_); }

  KeyWatcher::OnChange Sink() {
    return [this](unsigned token) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        tokens_.push_back(token);
      }
      ::SetEvent(arrived_);
    };
  }
  // Whether a report came within the time; it is taken, with the reports
  // that follow it closely (one change can make several).
  bool Came(DWORD timeout_ms = 2000) {
    if (::WaitForSingleObject(arrived_, timeout_ms) != WAIT_OBJECT_0) return false;
    while (::WaitForSingleObject(arrived_, 100) == WAIT_OBJECT_0) {
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (unsigned token : tokens_) EXPECT_EQ(token, kToken);
    tokens_.clear();
    return true;
  }
  // Quiet for a while: nothing to report.
  bool Quiet() { return !Came(200); }

 private:
  HANDLE arrived_;
  std::mutex mutex_;
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
  ASSERT_TRUE(watcher.running());

  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}"));
  EXPECT_TRUE(reports.Came()) << "a subkey made";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}").c_str());
  EXPECT_TRUE(reports.Came()) << "a subkey deleted";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{2}"));
  EXPECT_TRUE(reports.Came()) << "watched again after each report";

  SetValue(HKEY_CURRENT_USER, Path(L"A\\Objects"), L"x");
  Create(HKEY_CURRENT_USER, Path(L"A\\Sibling"));
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{2}\\Below"));
  EXPECT_TRUE(reports.Quiet()) << "a value, a sibling, a key further down";
  EXPECT_GE(watcher.wakes(), 4) << "the sibling woke the watch, which told nobody";
}

// Wine signals nothing on a deleted key's own notification: the levels
// above tell.
TEST_F(KeyWatcherTest, TheKeyDeletedAndMadeAgainAtAnyDepthIsWatchedAgain) {
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects"));
  KeyWatcher watcher = Watch(Path(L"A\\Objects"), KeyChanges::kSubkeys);
  ASSERT_TRUE(watcher.running());

  ::RegDeleteTreeW(HKEY_CURRENT_USER, Path(L"A\\Objects").c_str());
  EXPECT_TRUE(reports.Came()) << "the key went";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects"));
  EXPECT_TRUE(reports.Came()) << "the key came back";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}"));
  EXPECT_TRUE(reports.Came()) << "the new key is watched";

  ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
  EXPECT_TRUE(reports.Came()) << "deleted with the levels above it";
  Create(HKEY_CURRENT_USER, Path(L"A"));
  EXPECT_TRUE(reports.Quiet()) << "a level above came back, not the key";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{1}"));
  EXPECT_TRUE(reports.Came()) << "made again, with an object inside at once";
  Create(HKEY_CURRENT_USER, Path(L"A\\Objects\\{2}"));
  EXPECT_TRUE(reports.Came());
}

TEST_F(KeyWatcherTest, AValuesWatchReportsEachWriteAndAKeyThatIsMissingAtFirst) {
  KeyWatcher watcher = Watch(Path(L"Main"), KeyChanges::kValues);
  ASSERT_TRUE(watcher.running());
  SetValue(HKEY_CURRENT_USER, Path(L"Main"), L"http://a/");
  EXPECT_TRUE(reports.Came()) << "the key made, with its value";
  SetValue(HKEY_CURRENT_USER, Path(L"Main"), L"http://b/");
  EXPECT_TRUE(reports.Came());
  SetValue(HKEY_CURRENT_USER, Path(L"Main"), L"http://c/");
  EXPECT_TRUE(reports.Came());
  Create(HKEY_CURRENT_USER, Path(L"Main\\Below"));
  EXPECT_TRUE(reports.Quiet());
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
    ASSERT_TRUE(watcher.running());
    Create(HKEY_LOCAL_MACHINE, path + L"\\{64}", KEY_WOW64_64KEY);
    EXPECT_TRUE(reports.Quiet());
    Create(HKEY_LOCAL_MACHINE, path + L"\\{32}", KEY_WOW64_32KEY);
    EXPECT_TRUE(reports.Came());
  }
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\QbWin32WatchTest");
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\QbWin32WatchTest");
}

}  // namespace
}  // namespace qb::win32
