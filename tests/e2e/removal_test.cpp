#include <algorithm>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/scanner_page.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

class RemovalTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetSetting(L"AutoStart", L"0");
  }

  // An object with values of several kinds and a subkey, as a backup must
  // bring them back.
  static void RegisterRich(const std::wstring& clsid) {
    Register({Braced(clsid), L"Rich \"object\"", SampleHelperPath()});
    const std::wstring key = ObjectKey(clsid);
    SetString(HKEY_LOCAL_MACHINE, key, L"NoExplorer", L"1");
    SetString(HKEY_LOCAL_MACHINE, key, L"", L"C:\\path \"quoted\"");
    SetDword(HKEY_LOCAL_MACHINE, key, L"Flags", 0x2A);
    SetString(HKEY_LOCAL_MACHINE, key + L"\\Settings", L"Mode", L"strict");
  }

  HWND List() { return Control(main_, ids::kLbMain); }

  std::vector<std::wstring> Scan(std::size_t expected) { return ScanFor(main_, expected); }

  void CheckAllAndDelete() { ASSERT_TRUE(TickAllAndDelete(main_)); }

  void FinishCleanScan() { EXPECT_TRUE(AnswerCleanScan(process_.id())); }

  void SelectItem(int index) {
    ClickListItem(List(), index);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main_, ids::kBtRemoveObject)); }));
  }
};

TEST_F(RemovalTest, DeletingCheckedObjectsBacksThemUpBlocksThemAndRemovesTheKeys) {
  for (const wchar_t* clsid : {kA, kB, kC}) RegisterRich(clsid);
  ASSERT_TRUE(StartProgram());
  const std::vector<std::wstring> order = Scan(3);
  CheckAllAndDelete();
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Question :", IDYES), L"Are you sure?");
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Object(s) removed. :", IDOK),
            L"The object(s) was removed successfuly.");
  FinishCleanScan();
  EXPECT_FALSE(FindTopLevel(process_.id(), nullptr, L": Question :"));

  for (const wchar_t* clsid : {kA, kB, kC})
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(clsid)));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"),
            Narrow(order[0] + L"\r\n" + order[1] + L"\r\n" + order[2] + L"\r\n"));
  const std::vector<std::wstring> backups = folder_.FilesIn(L"backup");
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].front(), L'B');

  // The backup, merged with regedit, brings back the keys with their values.
  ASSERT_EQ(MergeWithRegedit(folder_.path() / L"backup" / backups[0]), 0u);
  for (const wchar_t* clsid : {kA, kB, kC}) {
    SCOPED_TRACE(Narrow(clsid));
    const std::wstring key = ObjectKey(clsid);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, L"NoExplorer"), L"1");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key, L""), L"C:\\path \"quoted\"");
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, key, L"Flags"), 0x2Au);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key + L"\\Settings", L"Mode"), L"strict");
  }
}

TEST_F(RemovalTest, WithoutMakeBackupNoBackupFolderIsMade) {
  SetSetting(L"MakeBackup", L"0");
  RegisterRich(kA);
  ASSERT_TRUE(StartProgram());
  Scan(1);
  CheckAllAndDelete();
  ASSERT_TRUE(AnswerMessageBox(process_.id(), L": Question :", IDYES));
  ASSERT_TRUE(AnswerMessageBox(process_.id(), L": Object(s) removed. :", IDOK));
  FinishCleanScan();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / L"backup"));
}

TEST_F(RemovalTest, AnsweringNoChangesNothing) {
  RegisterRich(kA);
  ASSERT_TRUE(StartProgram());
  Scan(1);
  CheckAllAndDelete();
  ASSERT_TRUE(AnswerMessageBox(process_.id(), L": Question :", IDNO));
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_FALSE(folder_.Read(L"BCLSIDs.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / L"backup"));
  EXPECT_EQ(ListItems(List()).size(), 1u);
}

TEST_F(RemovalTest, NothingCheckedGivesAWarning) {
  RegisterRich(kA);
  ASSERT_TRUE(StartProgram());
  Scan(1);
  Click(Control(main_, ids::kBtDeleteSelected));
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Nothing is selected! :", IDOK),
            L"Please, select at least one\r\nobject to be cleaned!\r\n");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
}

TEST_F(RemovalTest, TheDetailButtonsBlockOrIgnoreTheSelectedObject) {
  RegisterRich(kA);
  RegisterRich(kB);
  ASSERT_TRUE(StartProgram());
  std::vector<std::wstring> items = Scan(2);
  const std::wstring blocked = items[0];
  const std::wstring ignored = items[1];

  SelectItem(0);
  Click(Control(main_, ids::kBtRemoveObject));
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Object removed. :", IDOK),
            L"The object was removed successfuly.");
  ASSERT_TRUE(WaitUntil([&] { return ListItems(List()) == std::vector<std::wstring>{ignored}; }));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(blocked)));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), Narrow(blocked + L"\r\n"));
  EXPECT_EQ(folder_.FilesIn(L"backup").size(), 1u);

  SelectItem(0);
  Click(Control(main_, ids::kBtIgnoreObject));
  FinishCleanScan();
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(ignored)));
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), Narrow(ignored + L"\r\n"));
  EXPECT_TRUE(ListItems(List()).empty());
}

TEST_F(RemovalTest, FromAnotherPageTheObjectActionsWorkWithoutARescan) {
  RegisterRich(kA);
  RegisterRich(kB);
  ASSERT_TRUE(StartProgram());
  const std::vector<std::wstring> items = Scan(2);
  SelectItem(1);
  Click(Control(main_, ids::kBtIgnoredObjects));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtIgnoredObjects)); }));

  PostCommand(main_, ids::kAIgnoreObject);
  ASSERT_TRUE(WaitUntil([&] { return folder_.Read(L"ICLSIDs.txt").has_value(); }));
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), Narrow(items[1] + L"\r\n"));
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItems(List()), items) << "no rescan";
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtRemoveObject)));
  EXPECT_TRUE(ListItems(Control(main_, ids::kLbIgnored)).empty()) << "not refilled";

  PostCommand(main_, ids::kARemoveObject);
  EXPECT_TRUE(AnswerMessageBox(process_.id(), L": Object removed. :", IDOK));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(items[1])));
  EXPECT_EQ(ListItems(List()), items);
}

TEST_F(RemovalTest, ABlockedListThatCannotBeWrittenStopsTheRemoval) {
  RegisterRich(kA);
  folder_.Write(L"BCLSIDs.txt", "");
  ASSERT_TRUE(StartProgram());
  Scan(1);
  SelectItem(0);
  // Another program holds the list open without sharing: every save fails.
  HANDLE held = ::CreateFileW(folder_.File(L"BCLSIDs.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Click(Control(main_, ids::kBtRemoveObject));
  const auto error = AnswerMessageBox(process_.id(), kProgramCaption, IDOK);
  ::CloseHandle(held);

  ASSERT_TRUE(error);
  EXPECT_EQ(*error, L"Cannot create file " + folder_.File(L"BCLSIDs.txt").wstring() + L".");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), "");
  EXPECT_FALSE(FindTopLevel(process_.id(), nullptr, L": Object removed. :"));
  EXPECT_EQ(folder_.FilesIn(L"backup").size(), 1u) << "the backup came first";
}

}  // namespace
}  // namespace qb::e2e
