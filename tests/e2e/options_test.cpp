#include <cstring>

#include "harness/program_test.h"
#include "product/maker.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

const std::wstring kDefaultHomePage = Wide(product::kDefaultHomePage);

class OptionsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    DeleteValue(HKEY_CURRENT_USER, kRunKey, L"Quellbright");
    SetSetting(L"AutoStart", L"0");  // the Scanner section: lbMain is at hand
  }

  // Opens the options dialog from the Tools menu.
  HWND OpenOptions() {
    PostCommand(main_, ids::kOptions1);
    return WaitForShown(process_.id(), L"TfrmOptions", L": Options :");
  }
  // Waits until the dialog is gone and the program has finished acting on it.
  void WaitUntilApplied(HWND dialog) {
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
    ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  }
  static void SetBox(HWND dialog, int id, bool ticked) {
    HWND box = Control(dialog, id);
    if (IsChecked(box) != ticked) Click(box);
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(box) == ticked; }));
  }
  static void SetEditText(HWND dialog, const std::wstring& text) {
    ::SendMessageW(Control(dialog, ids::kEHomePage), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(text.c_str()));
  }
  void PressAndWait(HWND dialog, int button_id) {
    Click(Control(dialog, button_id));
    WaitUntilApplied(dialog);
  }
  // No error box came up.
  void ExpectNoErrorBox() { EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 300)); }
};

TEST_F(OptionsTest, OkWritesTheRunEntryAndNineValuesAndLeavesTheRememberedAnswer) {
  SetSetting(L"SGConfirm", L"0");
  SetSetting(L"GotoVodUridazur", L"6");
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsChecked(Control(dialog, ids::kCbStartWW)));
  SetBox(dialog, ids::kCbMakeBackup, false);
  PressAndWait(dialog, ids::kBtOK);
  ExpectNoErrorBox();

  EXPECT_EQ(RunEntry(), L"\"" + folder_.File(L"quellbright.exe").wstring() + L"\" NoHint");
  EXPECT_EQ(Setting(L"MakeBackup"), L"0");
  EXPECT_EQ(Setting(L"StartMinimized"), L"1");
  EXPECT_EQ(Setting(L"AutoStart"), L"0");
  EXPECT_EQ(Setting(L"StartWW"), L"1");
  EXPECT_EQ(Setting(L"SetHomePage"), L"0");
  EXPECT_EQ(Setting(L"HomePage"), kDefaultHomePage);
  EXPECT_EQ(Setting(L"TrayHint"), L"0");
  EXPECT_EQ(Setting(L"EnablePopUpBlocker"), L"1");
  EXPECT_EQ(Setting(L"CloseNoMaximize"), L"1");
  EXPECT_EQ(Setting(L"SGConfirm"), L"0");
  EXPECT_EQ(Setting(L"GotoVodUridazur"), L"6");
}

TEST_F(OptionsTest, OkCarriesThePopUpBlockerBoxToTheGuardsCheckMark) {
  ASSERT_TRUE(StartProgram());
  HWND check = Control(main_, ids::kCheckBox1);
  ASSERT_TRUE(IsChecked(check));
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  SetBox(dialog, ids::kCbEnablePopUpBlocker, false);
  PressAndWait(dialog, ids::kBtCancel);
  EXPECT_TRUE(IsChecked(check)) << "Cancel changes nothing";

  dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  SetBox(dialog, ids::kCbEnablePopUpBlocker, false);
  PressAndWait(dialog, ids::kBtOK);
  EXPECT_FALSE(IsChecked(check));
  EXPECT_EQ(Setting(L"EnablePopUpBlocker"), L"0");
}

TEST_F(OptionsTest, TheRunEntryQuotesAProgramPathWithBlanks) {
  ProgramFolder spaced(L"Quell bright folder");
  process_ = spaced.Start();
  main_ = WaitForMainWindow(process_);
  ASSERT_TRUE(main_);
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  PressAndWait(dialog, ids::kBtOK);

  const std::wstring program = spaced.File(L"quellbright.exe").wstring();
  ASSERT_NE(program.find(L' '), std::wstring::npos);
  EXPECT_EQ(RunEntry(), L"\"" + program + L"\" NoHint");
  process_.Close();
}

TEST_F(OptionsTest, OkWithStartWithWindowsClearDeletesTheEntry) {
  SetString(HKEY_CURRENT_USER, kRunKey, L"Quellbright", L"\"C:\\old\\quellbright.exe\" NoHint");
  SetString(HKEY_CURRENT_USER, kRunKey, L"QbE2eOther", L"other.exe");
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  SetBox(dialog, ids::kCbStartWW, false);
  PressAndWait(dialog, ids::kBtOK);

  EXPECT_EQ(RunEntry(), std::nullopt);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"QbE2eOther"), L"other.exe");
  EXPECT_EQ(Setting(L"StartWW"), L"0");
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"QbE2eOther");
}

TEST_F(OptionsTest, OkWithStartWithWindowsClearAndNoEntryRaisesNoError) {
  SetSetting(L"StartWW", L"0");
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsChecked(Control(dialog, ids::kCbStartWW)));
  PressAndWait(dialog, ids::kBtOK);

  ExpectNoErrorBox();
  EXPECT_EQ(RunEntry(), std::nullopt);
  // The save after the Run entry ran.
  EXPECT_EQ(Setting(L"MakeBackup"), L"1");
}

TEST_F(OptionsTest, DefaultsThenCancelChangesNothingAndTheNextOpeningShowsTheStoredValues) {
  SetSetting(L"MakeBackup", L"0");
  SetSetting(L"StartWW", L"0");
  SetSetting(L"SetHomePage", L"1");
  SetSetting(L"HomePage", L"http://stored.example/");
  SetSetting(L"EnablePopUpBlocker", L"0");
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  HWND edit = Control(dialog, ids::kEHomePage);
  EXPECT_FALSE(IsChecked(Control(dialog, ids::kCbMakeBackup)));
  EXPECT_TRUE(IsChecked(Control(dialog, ids::kCbSetHomePage)));
  EXPECT_TRUE(IsEnabled(edit));
  EXPECT_EQ(TextOf(edit), L"http://stored.example/");

  Click(Control(dialog, ids::kBtDefaults));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(dialog, ids::kCbMakeBackup)); }));
  EXPECT_TRUE(IsChecked(Control(dialog, ids::kCbStartWW)));
  EXPECT_FALSE(IsChecked(Control(dialog, ids::kCbSetHomePage)));
  EXPECT_FALSE(IsEnabled(edit));
  EXPECT_EQ(TextOf(edit), kDefaultHomePage);
  EXPECT_TRUE(IsChecked(Control(dialog, ids::kCbEnablePopUpBlocker)));
  PressAndWait(dialog, ids::kBtCancel);

  EXPECT_EQ(Setting(L"MakeBackup"), L"0");
  EXPECT_EQ(Setting(L"HomePage"), L"http://stored.example/");
  EXPECT_EQ(Setting(L"EnablePopUpBlocker"), L"0");
  EXPECT_EQ(Setting(L"AutoStart"), L"0");
  EXPECT_EQ(Setting(L"StartMinimized"), std::nullopt);
  EXPECT_EQ(RunEntry(), std::nullopt);

  dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsChecked(Control(dialog, ids::kCbMakeBackup)));
  EXPECT_FALSE(IsChecked(Control(dialog, ids::kCbStartWW)));
  EXPECT_TRUE(IsChecked(Control(dialog, ids::kCbSetHomePage)));
  EXPECT_TRUE(IsEnabled(edit));
  EXPECT_EQ(TextOf(edit), L"http://stored.example/");
  EXPECT_FALSE(IsChecked(Control(dialog, ids::kCbEnablePopUpBlocker)));
}

TEST_F(OptionsTest, TheCloseBoxActsAsCancel) {
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  SetBox(dialog, ids::kCbMakeBackup, false);
  ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  WaitUntilApplied(dialog);

  EXPECT_EQ(Setting(L"MakeBackup"), std::nullopt);
  EXPECT_EQ(RunEntry(), std::nullopt);
}

TEST_F(OptionsTest, EscapePressesCancelAndEnterPressesOk) {
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  SetBox(dialog, ids::kCbMakeBackup, false);
  PressKey(Control(dialog, ids::kCbStartWW), VK_ESCAPE);
  WaitUntilApplied(dialog);
  EXPECT_EQ(Setting(L"MakeBackup"), std::nullopt);

  dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsChecked(Control(dialog, ids::kCbMakeBackup)));  // reloaded
  SetBox(dialog, ids::kCbMakeBackup, false);
  PressKey(Control(dialog, ids::kCbAutoStart), VK_RETURN);
  WaitUntilApplied(dialog);
  EXPECT_EQ(Setting(L"MakeBackup"), L"0");
}

TEST_F(OptionsTest, ResetAllWarningsThenCancelKeepsTheReset) {
  SetSetting(L"SGConfirm", L"0");
  SetSetting(L"GotoVodUridazur", L"6");
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  Click(Control(dialog, ids::kBtResetWarnings));
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Warnings reset :", IDOK),
            L"All warnings are reset.");
  EXPECT_EQ(Setting(L"SGConfirm"), L"1");
  EXPECT_EQ(Setting(L"GotoVodUridazur"), L"7");
  EXPECT_TRUE(::IsWindowVisible(dialog));
  PressAndWait(dialog, ids::kBtCancel);

  EXPECT_EQ(Setting(L"SGConfirm"), L"1");
  EXPECT_EQ(Setting(L"GotoVodUridazur"), L"7");
  EXPECT_EQ(Setting(L"MakeBackup"), std::nullopt);
}

TEST_F(OptionsTest, AnEmptyHomePageEditStoresAnEmptyHomePage) {
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  SetEditText(dialog, L"");
  PressAndWait(dialog, ids::kBtOK);

  EXPECT_EQ(Setting(L"HomePage"), L"");
  EXPECT_EQ(Setting(L"SetHomePage"), L"0");
}

TEST_F(OptionsTest, TheHiddenRowsAreNeverShownOrEnabled) {
  ASSERT_TRUE(StartProgram());
  HWND dialog = OpenOptions();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(TextOf(Control(dialog, ids::kBtResetWarnings)), L"Reset all warnings");
  EXPECT_TRUE(HasVisibleStyle(Control(dialog, ids::kCbEnablePopUpBlocker)));
  EXPECT_FALSE(HasVisibleStyle(Control(dialog, ids::kCbCloseNoMaximize)));
  for (int id : {ids::kOptionsCheckBox3, ids::kOptionsEdit1, ids::kOptionsLabel1,
                 ids::kOptionsCheckBox4, ids::kOptionsEdit2, ids::kOptionsLabel2}) {
    EXPECT_FALSE(HasVisibleStyle(Control(dialog, id))) << id;
    EXPECT_FALSE(IsEnabled(Control(dialog, id))) << id;
  }
  EXPECT_EQ(TextOf(Control(dialog, ids::kOptionsCheckBox4)),
            L"Block windows with heigth less than ");
}

class AboutBoxTest : public ProgramTest {
 protected:
  HWND OpenAbout() {
    PostCommand(main_, ids::kAbout1);
    return WaitForShown(process_.id(), L"TfrmAbout");
  }
};

TEST_F(AboutBoxTest, ShowsTheProgramAndTheMakersAddressesAndClosesWithEscapeAndEnter) {
  ASSERT_TRUE(StartProgram());
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_EQ(TextOf(about), L": About Quellbright :");
    EXPECT_EQ(TextOf(Control(about, ids::kAboutLabel2)), L"Quellbright v2.0");
    EXPECT_EQ(TextOf(Control(about, ids::kAboutLabel1)), L"For Internet Explorer v6.0");
    EXPECT_EQ(TextOf(Control(about, ids::kAboutLabel5)), Wide(product::kMakerSite));
    EXPECT_EQ(TextOf(Control(about, ids::kAboutLabel3)), Wide(product::kMakerEmail));
    EXPECT_EQ(TextOf(Control(about, ids::kAboutButton1)), L"Close");
    PressKey(Control(about, ids::kAboutButton1), key);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); })) << key;
  }
  EXPECT_TRUE(process_.running());
}

}  // namespace
}  // namespace qb::e2e
