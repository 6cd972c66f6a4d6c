#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

// In the shipped CLSIDs.txt as "1FD49718-1D00-4B19-AF5F-070AF6D5D54C".
constexpr wchar_t kKnownLowerCase[] = L"1fd49718-1d00-4b19-af5f-070af6d5d54c";
constexpr wchar_t kNoInfo[] = L"No info is available or not valid CLSID";

// The CLSID texts of the registered objects, in the registry's order.
std::vector<std::wstring> RegisteredClsids() {
  std::vector<std::wstring> clsids;
  for (const std::wstring& name : SubkeyNames(HKEY_LOCAL_MACHINE, kBhoKey))
    clsids.push_back(name.substr(1, 36));
  return clsids;
}

// A CLSID of the tests' own for a number: E2E1nnnn-...
std::wstring NumberedClsid(int number) {
  wchar_t clsid[40];
  std::swprintf(clsid, 40, L"E2E1%04X-0000-4000-8000-%012X", number, number * 7919);
  return clsid;
}

class ScanTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetSetting(L"AutoStart", L"0");  // open on the Scanner section
  }

  HWND List() { return Control(main_, ids::kLbMain); }
  std::wstring Field(int id) { return TextOf(Control(main_, id)); }
  bool ResultsShown() { return HasVisibleStyle(Control(main_, ids::kTipsResults)); }
  // The Results page shows, and the handler that fills it has ended.
  bool WaitForResults() {
    return WaitUntil([&] { return ResultsShown(); }) && FlushPostedMessages(List());
  }

  void ScanAndWaitFor(std::size_t count) {
    Click(Control(main_, ids::kBtScan));
    ASSERT_TRUE(WaitUntil([&] { return ListItems(List()).size() == count; }));
  }

  // A click in the middle of an item's text.
  void ClickItem(int index) {
    const RECT item = ListItemRect(List(), index);
    ClickAt(List(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  }

  // The scan's message and, when asked, the question; returns the question.
  std::optional<MessageBoxInfo> ScanExpectingNothing() {
    Click(Control(main_, ids::kBtScan));
    const auto message = WaitForMessageBox(process_.id(), L": No suspicious objects found. :");
    EXPECT_TRUE(message);
    if (!message) return std::nullopt;
    EXPECT_EQ(message->text, L"Congratulations! No suspicious objects\r\nfound on your computer!");
    Answer(*message, IDOK);
    EXPECT_TRUE(WaitForClosed(process_.id(), L": No suspicious objects found. :"));
    return WaitForMessageBox(process_.id(), L": Go to Vod Uridazur? :", 3000);
  }
};

TEST_F(ScanTest, ListsTheObjectsThatNoListKnows) {
  folder_.Write(L"ICLSIDs.txt", "E2E0000B-0000-4000-8000-00000000000B\r\n");
  folder_.Write(L"BCLSIDs.txt", "E2E0000C-0000-4000-8000-00000000000C\r\n");
  for (const std::wstring& name :
       {Braced(kA), Braced(kB), Braced(kC), Braced(kKnownLowerCase), std::wstring(L"E2E0-odd"),
        Braced(kD) + L"-tail", std::wstring(L"{x}")}) {
    Register({name});
  }
  ASSERT_TRUE(StartProgram());

  // The expected list, in the order in which the registry enumerates.
  std::vector<std::wstring> expected;
  for (const std::wstring& clsid : RegisteredClsids()) {
    const bool listed = clsid != kB && clsid != kKnownLowerCase;
    if (listed) expected.push_back(clsid);
  }
  ASSERT_EQ(expected.size(), 5u);
  EXPECT_NE(std::find(expected.begin(), expected.end(), L"2E0-odd"), expected.end());

  ScanAndWaitFor(expected.size());
  EXPECT_EQ(ListItems(List()), expected);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ListItemData(List(), i), 0) << "unchecked when added";
}

TEST_F(ScanTest, ThousandsOfObjectsAreListedOnceInOrderAndARescanStartsUnchecked) {
  constexpr int kObjects = 2000;
  for (int i = 0; i < kObjects; ++i) Register({Braced(NumberedClsid(i))});
  ASSERT_TRUE(StartProgram());
  const std::vector<std::wstring> expected = RegisteredClsids();
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(kObjects));

  ScanAndWaitFor(kObjects);
  // Each exactly once: the registry's names are distinct, and the order is its own.
  EXPECT_EQ(ListItems(List()), expected);

  // Checks set all at once and one by one, and a current item.
  Click(Control(main_, ids::kBtCheckAll));
  ASSERT_TRUE(FlushPostedMessages(List()));
  for (const int i : {0, 1, kObjects / 2, kObjects - 1}) EXPECT_EQ(ListItemData(List(), i), 1);
  const RECT first = ListItemRect(List(), 0);
  ClickAt(List(), 5, (first.top + first.bottom) / 2);
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItemData(List(), 0), 0);
  EXPECT_EQ(ListCurrentIndex(List()), 0);

  // Meanwhile one object goes and another comes.
  DeleteTree(HKEY_LOCAL_MACHINE, std::wstring(kBhoKey) + L"\\" + Braced(expected[kObjects / 2]));
  Register({Braced(NumberedClsid(kObjects))});
  const std::vector<std::wstring> rescanned = RegisteredClsids();
  ASSERT_EQ(rescanned.size(), static_cast<std::size_t>(kObjects));
  ASSERT_NE(rescanned, expected);

  Click(Control(main_, ids::kBtScan));
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItems(List()), rescanned);
  int checked = 0;
  for (int i = 0; i < kObjects; ++i) checked += ListItemData(List(), i) != 0;
  EXPECT_EQ(checked, 0) << "checks survived the rescan";
  EXPECT_EQ(ListCurrentIndex(List()), -1);
}

TEST_F(ScanTest, NoObjectsAndTheAnswerNoStaysOnTheScanner) {
  ASSERT_TRUE(StartProgram());
  const auto question = ScanExpectingNothing();
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, L"Do you want to go to Vod Uridazur section?");
  EXPECT_EQ(TextOf(Control(question->window, ids::kCbAlwaysSelect)), L"Always select this action.");
  EXPECT_FALSE(IsChecked(Control(question->window, ids::kCbAlwaysSelect)));
  Answer(*question, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return Setting(L"GotoVodUridazur").has_value(); }));
  EXPECT_EQ(Setting(L"GotoVodUridazur"), L"7");
  EXPECT_EQ(Setting(L"SGConfirm"), L"1");
  EXPECT_TRUE(IsChecked(Control(main_, ids::kBtScanner)));
}

TEST_F(ScanTest, YesWithTheBoxTickedIsRememberedAndAskedNoMore) {
  ASSERT_TRUE(StartProgram());
  const auto question = ScanExpectingNothing();
  ASSERT_TRUE(question);
  Click(Control(question->window, ids::kCbAlwaysSelect));
  ASSERT_TRUE(
      WaitUntil([&] { return IsChecked(Control(question->window, ids::kCbAlwaysSelect)); }));
  Answer(*question, IDYES);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtVodUridazur)); }));
  EXPECT_EQ(Setting(L"SGConfirm"), L"0");
  EXPECT_EQ(Setting(L"GotoVodUridazur"), L"6");
  EXPECT_TRUE(HasVisibleStyle(Control(main_, ids::kPaVodUridazur)));

  Click(Control(main_, ids::kBtScanner));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtScanner)); }));
  EXPECT_FALSE(ScanExpectingNothing());
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtVodUridazur)); }));
}

TEST_F(ScanTest, AStoredYesWithoutConfirmationGoesStraightToVodUridazur) {
  SetSetting(L"SGConfirm", L"0");
  SetSetting(L"GotoVodUridazur", L"6");
  ASSERT_TRUE(StartProgram());
  EXPECT_FALSE(ScanExpectingNothing());
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtVodUridazur)); }));
}

TEST_F(ScanTest, AStoredNoWithoutConfirmationStays) {
  SetSetting(L"SGConfirm", L"0");
  SetSetting(L"GotoVodUridazur", L"7");
  ASSERT_TRUE(StartProgram());
  EXPECT_FALSE(ScanExpectingNothing());
  EXPECT_TRUE(IsChecked(Control(main_, ids::kBtScanner)));
}

TEST_F(ScanTest, ClosingTheQuestionByItsTitleBarGives2AndEscapeGivesNo) {
  ASSERT_TRUE(StartProgram());
  auto question = ScanExpectingNothing();
  ASSERT_TRUE(question);
  ::PostMessageW(question->window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Setting(L"GotoVodUridazur") == L"2"; }));
  EXPECT_EQ(Setting(L"SGConfirm"), L"1");

  question = ScanExpectingNothing();
  ASSERT_TRUE(question);
  PressKey(::GetDlgItem(question->window, IDYES), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return Setting(L"GotoVodUridazur") == L"7"; }));
  EXPECT_TRUE(IsChecked(Control(main_, ids::kBtScanner)));
}

TEST_F(ScanTest, SelectingAnObjectShowsWhatItsDllSaysAboutItself) {
  const std::wstring dll = SampleHelperPath();
  Register({Braced(kA), L"Sample helper object", dll});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtRemoveObject)));

  ClickItem(0);
  ASSERT_TRUE(WaitForResults());
  EXPECT_EQ(Field(ids::kEdit1), dll);
  EXPECT_EQ(Field(ids::kEdit6), L"Sample helper object");
  EXPECT_EQ(Field(ids::kEdit2), L"Quellbright sample helper object");
  EXPECT_EQ(Field(ids::kEdit3), L"1.2.3.4");
  EXPECT_EQ(Field(ids::kEdit4), L"Quellbright Samples");
  EXPECT_EQ(Field(ids::kEdit5), L"Tarnwick Sample Works");
  EXPECT_EQ(Field(ids::kBtRemoveObject), L"Delete this &object");
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtRemoveObject)));
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtIgnoreObject)));
}

// A REG_EXPAND_SZ server path is shown as stored and read where the
// browser loads it, expanded.
TEST_F(ScanTest, AServerPathWithEnvironmentStringsIsReadWhereItLoads) {
  const std::wstring stored = L"%QB_BUILD_DIR%\\samples\\SampleHelper.dll";
  Register({Braced(kA), L"Expanding object", L"placeholder"});
  const std::wstring text = stored + L'\0';
  WriteValue(
      HKEY_CLASSES_ROOT, L"CLSID\\" + Braced(kA) + L"\\InprocServer32", L"",
      {REG_EXPAND_SZ, std::vector<std::uint8_t>(
                          reinterpret_cast<const std::uint8_t*>(text.data()),
                          reinterpret_cast<const std::uint8_t*>(text.data() + text.size()))});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  ClickItem(0);
  ASSERT_TRUE(WaitForResults());
  EXPECT_EQ(Field(ids::kEdit1), stored);
  EXPECT_EQ(Field(ids::kEdit2), L"Quellbright sample helper object");
  EXPECT_EQ(Field(ids::kEdit5), L"Tarnwick Sample Works");
}

TEST_F(ScanTest, AWineSystemDllShowsItsOwnVersionStrings) {
  const std::wstring dll = L"C:\\windows\\system32\\shdocvw.dll";
  const VersionStrings expected = ReadVersionStrings(dll);
  ASSERT_FALSE(expected.file_version.empty());
  Register({Braced(kA), L"Shell doc view", dll});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  ClickItem(0);
  ASSERT_TRUE(WaitForResults());
  EXPECT_EQ(Field(ids::kEdit1), dll);
  EXPECT_EQ(Field(ids::kEdit2), expected.description);
  EXPECT_EQ(Field(ids::kEdit3), expected.file_version);
  EXPECT_EQ(Field(ids::kEdit4), expected.product_name);
  EXPECT_EQ(Field(ids::kEdit5), expected.publisher);
}

TEST_F(ScanTest, NoClassKeyOrAShortServerValueMeansNoInfo) {
  Register({Braced(kA)});
  Register({Braced(kB), L"Short server", L"ab"});
  Register({Braced(kC), L"Unreadable file", L"C:\\no\\such\\file.dll"});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(3);
  const std::vector<std::wstring> items = ListItems(List());
  const auto index_of = [&](const wchar_t* clsid) {
    return static_cast<int>(std::find(items.begin(), items.end(), clsid) - items.begin());
  };

  ClickItem(index_of(kA));
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit1) == kNoInfo; }));
  EXPECT_EQ(Field(ids::kEdit6), L"");

  ClickItem(index_of(kB));
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6) == L"Short server"; }));
  EXPECT_EQ(Field(ids::kEdit1), kNoInfo);

  ClickItem(index_of(kC));
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit1) == L"C:\\no\\such\\file.dll"; }));
  EXPECT_EQ(Field(ids::kEdit2), L"");
  EXPECT_EQ(Field(ids::kEdit3), L"");
}

TEST_F(ScanTest, EnterOnTheListShowsTheDetails) {
  Register({Braced(kA), L"Entered", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  PressKey(List(), VK_RETURN);  // no current item: nothing
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_FALSE(ResultsShown());
  ::SendMessageW(List(), LB_SETCURSEL, 0, 0);

  PressKey(List(), VK_RETURN);
  ASSERT_TRUE(WaitForResults());
  EXPECT_EQ(Field(ids::kEdit6), L"Entered");
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtIgnoreObject)));
}

TEST_F(ScanTest, AClickInTheCheckColumnOnlyTogglesTheCheck) {
  Register({Braced(kA), L"Checked", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  const RECT item = ListItemRect(List(), 0);
  const int middle = (item.top + item.bottom) / 2;

  ClickAt(List(), 5, middle);
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItemData(List(), 0), 1);
  EXPECT_EQ(ListCurrentIndex(List()), 0);
  EXPECT_FALSE(ResultsShown());
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtRemoveObject)));
  ClickAt(List(), 5, middle);
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItemData(List(), 0), 0);
  EXPECT_FALSE(ResultsShown());

  Click(Control(main_, ids::kBtCheckAll));
  EXPECT_TRUE(WaitUntil([&] { return ListItemData(List(), 0) == 1; }));
  Click(Control(main_, ids::kBtUnCheckAll));
  EXPECT_TRUE(WaitUntil([&] { return ListItemData(List(), 0) == 0; }));
}

// The details never describe another object than the highlighted one: a
// highlight that moves without showing its item (a click in the check
// column, an arrow key) empties them and disables the object actions, on
// the Scanner page as on a list page.
TEST_F(ScanTest, AHighlightMovedWithoutShowingItsObjectEmptiesTheDetails) {
  folder_.Write(L"ICLSIDs.txt",
                "E2E0000C-0000-4000-8000-00000000000C\r\nE2E0000D-0000-4000-8000-00000000000D\r\n");
  Register({Braced(kA), L"First", SampleHelperPath()});
  Register({Braced(kB), L"Second", SampleHelperPath()});
  Register({Braced(kC), L"Ignored", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(2);
  // Each item by the name its object registered, in the registry's order.
  const bool a_first = ListItems(List())[0] == kA;
  const std::wstring name0 = a_first ? L"First" : L"Second";
  const std::wstring name1 = a_first ? L"Second" : L"First";
  const auto actions_enabled = [&] {
    return IsEnabled(Control(main_, ids::kBtRemoveObject)) &&
           IsEnabled(Control(main_, ids::kBtIgnoreObject));
  };
  const auto actions_disabled = [&] {
    return !IsEnabled(Control(main_, ids::kBtRemoveObject)) &&
           !IsEnabled(Control(main_, ids::kBtIgnoreObject));
  };
  const auto check_column_click = [&](int index) {
    const RECT item = ListItemRect(List(), index);
    ClickAt(List(), 5, (item.top + item.bottom) / 2);
    ASSERT_TRUE(FlushPostedMessages(List()));
  };

  ClickItem(0);
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6) == name0; }));
  // The check box of the item shown: only its check changes.
  check_column_click(0);
  EXPECT_EQ(ListItemData(List(), 0), 1);
  EXPECT_EQ(Field(ids::kEdit6), name0);
  EXPECT_TRUE(actions_enabled());

  // The check box of another item: it becomes current, and the details of
  // the first go.
  check_column_click(1);
  EXPECT_EQ(ListItemData(List(), 1), 1);
  EXPECT_EQ(ListCurrentIndex(List()), 1);
  EXPECT_EQ(Field(ids::kEdit6), L"");
  EXPECT_EQ(Field(ids::kEdit1), L"");
  EXPECT_TRUE(actions_disabled());
  // Enter shows the current item.
  PressKey(List(), VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6) == name1; }));
  EXPECT_TRUE(actions_enabled());

  PressKey(List(), VK_UP);
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListCurrentIndex(List()), 0);
  EXPECT_EQ(Field(ids::kEdit6), L"");
  EXPECT_TRUE(actions_disabled());

  // The Ignored page: an arrow key empties the details of the entry shown.
  Click(Control(main_, ids::kBtIgnoredObjects));
  HWND ignored = WaitForControl(main_, ids::kLbIgnored);
  ASSERT_TRUE(WaitUntil([&] { return ListItems(ignored).size() == 2; }));
  const RECT first = ListItemRect(ignored, 0);
  ClickAt(ignored, (first.left + first.right) / 2, (first.top + first.bottom) / 2);
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6) == L"Ignored"; }));
  PressKey(ignored, VK_DOWN);
  ASSERT_TRUE(FlushPostedMessages(ignored));
  EXPECT_EQ(ListCurrentIndex(ignored), 1);
  EXPECT_EQ(Field(ids::kEdit6), L"");
  EXPECT_EQ(Field(ids::kEdit1), L"");
  PressKey(ignored, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return Field(ids::kEdit1) == kNoInfo; }));
}

TEST_F(ScanTest, AClickBelowTheItemsClearsTheDetails) {
  Register({Braced(kA), L"Cleared", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  ClickItem(0);
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6) == L"Cleared"; }));

  ClickAt(List(), 100, 150);
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6).empty(); }));
  EXPECT_EQ(Field(ids::kEdit1), L"");
  EXPECT_EQ(ListCurrentIndex(List()), -1);
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtRemoveObject)));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtIgnoreObject)));
}

TEST_F(ScanTest, ARescanEmptiesTheDetailsAndDisablesTheObjectActions) {
  Register({Braced(kA), L"Rescanned", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  ScanAndWaitFor(1);
  ClickItem(0);
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main_, ids::kBtRemoveObject)); }));
  Click(Control(main_, ids::kBtScan));
  EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(Control(main_, ids::kBtRemoveObject)); }));
  EXPECT_EQ(Field(ids::kEdit6), L"");
}

}  // namespace
}  // namespace qb::e2e
