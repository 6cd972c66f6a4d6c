// "Restore from backup..." in the File menu.
#include <algorithm>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/scanner_page.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kRestoreCaption[] = L": Restore from backup :";
constexpr wchar_t kInjectedKey[] = L"Software\\QbRestoreInjected";

class RestoreTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    DeleteTree(HKEY_LOCAL_MACHINE, kInjectedKey);
    SetSetting(L"AutoStart", L"0");
    SetSetting(L"StartMinimized", L"0");
  }
  void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kInjectedKey); }

  HWND List() { return Control(main_, ids::kLbMain); }

  void ScanAndDeleteAll(std::size_t expected) {
    ASSERT_EQ(ScanFor(main_, expected).size(), expected);
    ASSERT_TRUE(DeleteAllObjects(main_, process_.id()));
  }

  HWND OpenRestoreWindow() {
    PostCommand(main_, ids::kRestore1);
    return WaitForShown(process_.id(), L"TfrmRestore", kRestoreCaption);
  }
};

TEST_F(RestoreTest, ADeletedObjectComesBackOffTheBlockedListAndTheGuardAsksAboutIt) {
  Register({Braced(kA), L"Restored helper", SampleHelperPath()});
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA), L"NoExplorer", L"1");
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA) + L"\\Settings", L"Mode", L"strict");
  ASSERT_TRUE(StartProgram());
  ScanAndDeleteAll(1);
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  ASSERT_EQ(folder_.Read(L"BCLSIDs.txt"), "E2E0000A-0000-4000-8000-00000000000A\r\n");

  HWND window = OpenRestoreWindow();
  ASSERT_TRUE(window);
  const std::vector<std::wstring> items = ListItems(Control(window, ids::kRestoreList));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_NE(items[0].find(Braced(kA)), std::wstring::npos) << items[0];
  EXPECT_NE(items[0].find(folder_.FilesIn(L"backup").at(0)), std::wstring::npos) << items[0];
  Click(Control(window, ids::kRestoreButton));
  const auto question = AnswerMessageBox(process_.id(), L": Restore backup :", IDYES);
  ASSERT_TRUE(question);
  EXPECT_NE(question->find(kA), std::wstring::npos);
  ASSERT_TRUE(AnswerMessageBox(process_.id(), L": Backup restored :", IDOK));
  ASSERT_TRUE(WaitForClosed(process_.id(), kRestoreCaption));

  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, ObjectKey(kA), L"NoExplorer"), L"1");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, ObjectKey(kA) + L"\\Settings", L"Mode"), L"strict");
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), "");
  // The Scanner page looked again and lists the object with its details.
  ASSERT_TRUE(WaitUntil([&] { return ListItems(List()) == std::vector<std::wstring>{kA}; }));

  // Switched on, the guard asks about it instead of deleting it silently.
  Click(Control(main_, ids::kBtVodUridazur));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main_, ids::kBtStartStopGuardian)); }));
  Click(Control(main_, ids::kBtStartStopGuardian));
  const HWND alert = WaitForShown(process_.id(), L"TfrmAlert", L": Alert! :");
  ASSERT_TRUE(alert);
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit6)), L"Restored helper");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  Click(Control(alert, ids::kBitBtn1));  // allow and ignore
}

// A file that writes outside the objects, and one with a key that the
// restore could not create (its name holds a NUL, which the Win32 call
// cannot name): both are refused before the restore takes anything off the
// blocked list or writes a key, and the window says why.
TEST_F(RestoreTest, AFileThisProgramCouldNotHaveWrittenIsRefusedAndChangesNothing) {
  std::filesystem::create_directories(folder_.path() / L"backup");
  folder_.Write(L"backup\\B1.reg",
                "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\QbRestoreInjected]\r\n"
                "\"x\"=\"evil.exe\"\r\n\r\n");
  const std::string object =
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser "
      "Helper Objects\\{E2E0000A-0000-4000-8000-00000000000A}";
  folder_.Write(L"backup\\B2.reg", "REGEDIT4\r\n\r\n" + object +
                                       "]\r\n\"NoExplorer\"=\"1\"\r\n\r\n" + object + "\\Sub" +
                                       std::string(1, '\0') + "x]\r\n\r\n");
  folder_.Write(L"BCLSIDs.txt", "E2E0000A-0000-4000-8000-00000000000A\r\n");
  ASSERT_TRUE(StartProgram());
  HWND window = OpenRestoreWindow();
  ASSERT_TRUE(window);
  const HWND list = Control(window, ids::kRestoreList);
  const std::vector<std::wstring> items = ListItems(list);
  ASSERT_EQ(items.size(), 2u);
  const std::pair<const wchar_t*, const wchar_t*> reasons[] = {
      {L"B1.reg",
       L"the key [HKEY_LOCAL_MACHINE\\Software\\QbRestoreInjected] is not a browser "
       L"helper object's"},
      {L"B2.reg",
       L"{E2E0000A-0000-4000-8000-00000000000A}\\Sub\\0x] has a name with a NUL "
       L"character in it"},
  };
  for (const auto& [file, reason] : reasons) {
    const auto item = std::find_if(items.begin(), items.end(), [&](const std::wstring& text) {
      return text.find(file) != std::wstring::npos;
    });
    ASSERT_NE(item, items.end()) << file;
    EXPECT_NE(item->find(L"(cannot be restored: "), std::wstring::npos) << *item;
    EXPECT_NE(item->find(reason), std::wstring::npos) << *item;
    const int index = static_cast<int>(item - items.begin());
    ClickListItem(list, index);
    ASSERT_TRUE(WaitUntil([&] { return ListCurrentIndex(list) == index; }));
    Click(Control(window, ids::kRestoreButton));
    const auto refusal = AnswerMessageBox(process_.id(), L": Backup not restored :", IDOK);
    ASSERT_TRUE(refusal) << file;
    EXPECT_EQ(refusal->rfind(std::wstring(file) + L" cannot be restored: the key [", 0), 0u)
        << *refusal;
    EXPECT_NE(refusal->find(std::wstring(reason) + L".\r\n\r\nNothing was changed."),
              std::wstring::npos)
        << *refusal;
  }
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kInjectedKey));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), "E2E0000A-0000-4000-8000-00000000000A\r\n");
  PressKey(list, VK_ESCAPE);
  EXPECT_TRUE(WaitForClosed(process_.id(), kRestoreCaption));
}

// Files planted in the backup folder under names that Windows turns into
// devices: opened by those names they would read a port, the console or
// the null device, and a port never answers. They are no backups.
TEST_F(RestoreTest, BackupsNamedAfterDevicesAreLeftOutAndNeverOpened) {
  const std::string backup =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
      "Explorer\\Browser Helper Objects\\{E2E0000A-0000-4000-8000-00000000000A}]\r\n\r\n";
  std::filesystem::create_directories(folder_.path() / L"backup");
  for (const wchar_t* name : {L"COM1.reg", L"NUL.reg", L"CON.reg", L"aux.reg"}) {
    ASSERT_TRUE(folder_.WriteDeviceNamed(std::wstring(L"backup\\") + name, backup)) << name;
  }
  folder_.Write(L"backup\\B1.reg", backup);
  ASSERT_TRUE(StartProgram());
  HWND window = OpenRestoreWindow();
  ASSERT_TRUE(window) << "the restore window did not open";
  const std::vector<std::wstring> items = ListItems(Control(window, ids::kRestoreList));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_NE(items[0].find(L"B1.reg"), std::wstring::npos) << items[0];
  EXPECT_EQ(items[0].find(L"cannot be restored"), std::wstring::npos) << items[0];
  Click(Control(window, ids::kRestoreClose));
  EXPECT_TRUE(WaitForClosed(process_.id(), kRestoreCaption));
  EXPECT_TRUE(FlushPostedMessages(List()));
}

TEST_F(RestoreTest, WithoutBackupsTheWindowSaysSo) {
  ASSERT_TRUE(StartProgram());
  HWND window = OpenRestoreWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(TextOf(Control(window, ids::kRestoreLabel)).rfind(L"There are no backups in ", 0), 0u);
  EXPECT_FALSE(IsEnabled(Control(window, ids::kRestoreButton)));
  Click(Control(window, ids::kRestoreClose));
  EXPECT_TRUE(WaitForClosed(process_.id(), kRestoreCaption));
}

}  // namespace
}  // namespace qb::e2e
