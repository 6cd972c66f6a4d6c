#include <map>

#include "harness/program_test.h"
#include "harness/registry_fixture.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

// The buttons that show the state of the actions a section switch sets.
struct ActionButtons {
  bool scanner_four;
  bool ignored_pair;
  bool blocked_pair;
  bool start_stop;
};

class SectionsTest : public ProgramTest {
 protected:
  // With the window shown and the guard off, so that sections switch.
  void SetUp() override {
    ProgramTest::SetUp();
    SetSetting(L"AutoStart", L"0");
    SetSetting(L"StartMinimized", L"0");
  }

  ActionButtons Read() {
    const auto enabled = [&](int id) { return IsEnabled(Control(main_, id)); };
    const bool scan = enabled(ids::kBtScan);
    EXPECT_EQ(enabled(ids::kBtCheckAll), scan);
    EXPECT_EQ(enabled(ids::kBtUnCheckAll), scan);
    EXPECT_EQ(enabled(ids::kBtDeleteSelected), scan);
    EXPECT_EQ(enabled(ids::kBtRemoveIgnoredAll), enabled(ids::kBtRemoveIgnored));
    EXPECT_EQ(enabled(ids::kBtRemoveAllBlocked), enabled(ids::kBtRemoveBlocked));
    return {scan, enabled(ids::kBtRemoveIgnored), enabled(ids::kBtRemoveBlocked),
            enabled(ids::kBtStartStopGuardian)};
  }

  int DownButton() {
    int down = 0;
    for (int id :
         {ids::kBtScanner, ids::kBtIgnoredObjects, ids::kBtBlockedObjects, ids::kBtVodUridazur}) {
      if (IsChecked(Control(main_, id))) {
        EXPECT_EQ(down, 0) << "two section buttons are down";
        down = id;
      }
    }
    return down;
  }
};

TEST_F(SectionsTest, EachSwitchSetsTheEnabledStatesOfTheTable) {
  Register({Braced(kA), L"Sections test object", std::nullopt});
  ASSERT_TRUE(StartProgram());
  // The details' buttons are made with their page, when an object is first
  // selected.
  const HWND list = Control(main_, ids::kLbMain);
  Click(Control(main_, ids::kBtScan));
  ASSERT_TRUE(WaitUntil([&] { return ListItems(list).size() == 1; }));
  const RECT item = ListItemRect(list, 0);
  ClickAt(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ASSERT_TRUE(WaitUntil([&] { return HasVisibleStyle(Control(main_, ids::kTipsResults)); }));
  struct Row {
    int button;
    int action_page;
    int tips_page;
    bool detail_buttons;
    ActionButtons expected;
  };
  const Row rows[] = {
      {ids::kBtIgnoredObjects,
       ids::kPaIgnoredObjects,
       ids::kTipsIgnored,
       false,
       {false, true, false, false}},
      {ids::kBtVodUridazur,
       ids::kPaVodUridazur,
       ids::kTipsVodUridazur,
       false,
       {false, false, false, true}},
      {ids::kBtBlockedObjects,
       ids::kPaBlockedObjects,
       ids::kTipsBlocked,
       false,
       {false, false, true, false}},
      {ids::kBtScanner, ids::kPaScanner, ids::kTipsScan, true, {true, false, false, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    Click(Control(main_, row.button));
    ASSERT_TRUE(WaitUntil([&] { return HasVisibleStyle(Control(main_, row.action_page)); }));
    // The page shows before the switch has set the actions: let it finish.
    ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
    const ActionButtons state = Read();
    EXPECT_EQ(state.scanner_four, row.expected.scanner_four);
    EXPECT_EQ(state.ignored_pair, row.expected.ignored_pair);
    EXPECT_EQ(state.blocked_pair, row.expected.blocked_pair);
    EXPECT_EQ(state.start_stop, row.expected.start_stop);
    EXPECT_EQ(DownButton(), row.button);
    EXPECT_TRUE(HasVisibleStyle(Control(main_, row.tips_page)));
    EXPECT_EQ(HasVisibleStyle(Control(main_, ids::kBtRemoveObject)), row.detail_buttons);
    EXPECT_EQ(HasVisibleStyle(Control(main_, ids::kBtIgnoreObject)), row.detail_buttons);
  }
}

TEST_F(SectionsTest, TheToolsMenuSwitchesSectionsToo) {
  ASSERT_TRUE(StartProgram());
  PostCommand(main_, ids::kABlockedObjects);
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtBlockedObjects)); }));
  PostCommand(main_, ids::kAVodUridazur);
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtVodUridazur)); }));
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtStartStopGuardian)));
}

TEST_F(SectionsTest, TheIgnoredPageShowsOnly36CharacterEntriesAndLeavesTheFile) {
  const std::string file =
      "11111111-1111-1111-1111-111111111111\r\n"
      "{22222222-2222-2222-2222-222222222222}\r\n"
      "\r\n"
      "33333333-3333-3333-3333-33333333333\r\n"    // 35 characters
      "44444444-4444-4444-4444-4444444444444\r\n"  // 37 characters
      "aaaaaaaa-1111-1111-1111-111111111111\n"
      "11111111-1111-1111-1111-111111111111";
  folder_.Write(L"ICLSIDs.txt", file);
  ASSERT_TRUE(StartProgram());

  Click(Control(main_, ids::kBtIgnoredObjects));
  HWND list = WaitForControl(main_, ids::kLbIgnored);
  ASSERT_TRUE(WaitUntil([&] { return !ListItems(list).empty(); }));
  EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"11111111-1111-1111-1111-111111111111",
                                                        L"aaaaaaaa-1111-1111-1111-111111111111",
                                                        L"11111111-1111-1111-1111-111111111111"}));
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), file);

  // A second visit refills rather than appends.
  Click(Control(main_, ids::kBtScanner));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtScanner)); }));
  Click(Control(main_, ids::kBtIgnoredObjects));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, ids::kBtIgnoredObjects)); }));
  ASSERT_TRUE(FlushPostedMessages(list));
  EXPECT_EQ(ListItems(list).size(), 3u);
}

TEST_F(SectionsTest, TheBlockedPageShowsItsList) {
  folder_.Write(L"BCLSIDs.txt", "55555555-5555-5555-5555-555555555555\r\nshort\r\n");
  ASSERT_TRUE(StartProgram());
  Click(Control(main_, ids::kBtBlockedObjects));
  HWND list = WaitForControl(main_, ids::kLbBlocked);
  ASSERT_TRUE(WaitUntil([&] { return !ListItems(list).empty(); }));
  EXPECT_EQ(ListItems(list), std::vector<std::wstring>{L"55555555-5555-5555-5555-555555555555"});
}

}  // namespace
}  // namespace qb::e2e
