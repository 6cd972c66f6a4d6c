#include <cstdio>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

struct Page {
  const wchar_t* file;
  int section_button;
  int list;
  int remove_one;
  int remove_all;
};

void PrintTo(const Page& page, std::ostream* out) {
  *out << std::string(page.file, page.file + 11);
}

constexpr Page kIgnored{L"ICLSIDs.txt", ids::kBtIgnoredObjects, ids::kLbIgnored,
                        ids::kBtRemoveIgnored, ids::kBtRemoveIgnoredAll};
constexpr Page kBlocked{L"BCLSIDs.txt", ids::kBtBlockedObjects, ids::kLbBlocked,
                        ids::kBtRemoveBlocked, ids::kBtRemoveAllBlocked};

class ListPagesTest : public ProgramTest, public ::testing::WithParamInterface<Page> {
 protected:
  const Page& page() const { return GetParam(); }
  HWND List() { return Control(main_, page().list); }

  void Open(std::size_t shown) {
    // The window shown and the guard off, so that sections switch.
    SetSetting(L"AutoStart", L"0");
    SetSetting(L"StartMinimized", L"0");
    ASSERT_TRUE(StartProgram());
    Click(Control(main_, page().section_button));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(main_, page().section_button)); }));
    ASSERT_TRUE(FlushPostedMessages(List()));
    ASSERT_EQ(ListItems(List()).size(), shown);
  }

  void SelectItem(int index) {
    const RECT item = ListItemRect(List(), index);
    ClickAt(List(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ASSERT_TRUE(FlushPostedMessages(List()));
  }
};

TEST_P(ListPagesTest, RemovingOneWritesBackOnlyTheShownEntries) {
  folder_.Write(page().file,
                Narrow(kA) + "\r\n{" + Narrow(kB) + "}\r\n\r\n" + Narrow(kB) + "\r\n" + Narrow(kA));
  Open(3);
  SelectItem(0);
  Click(Control(main_, page().remove_one));
  ASSERT_TRUE(WaitUntil([&] { return ListItems(List()).size() == 2; }));
  ASSERT_TRUE(WaitUntil(
      [&] { return folder_.Read(page().file) == Narrow(kB) + "\r\n" + Narrow(kA) + "\r\n"; }));
}

// The list files are 8-bit text: entries keep their bytes, show through
// the ANSI code page, and lines the user did not touch are written back as
// they were read.
TEST_P(ListPagesTest, EntriesKeepTheirBytesAndShowInTheAnsiCodePage) {
  std::vector<std::string> high(4);
  for (int byte = 0x80; byte <= 0xFF; ++byte) high[(byte - 0x80) / 36] += static_cast<char>(byte);
  high[3] += std::string(36 - high[3].size(), '0');
  std::string file = Narrow(kA) + "\r\n";
  std::string kept;
  for (const std::string& entry : high) kept += entry + "\r\n";
  folder_.Write(page().file, file + kept);
  Open(5);

  const std::vector<std::wstring> shown = ListItems(List());
  for (std::size_t i = 0; i < high.size(); ++i) {
    wchar_t expected[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, high[i].data(), 36, expected, 64);
    EXPECT_EQ(shown[i + 1], expected) << i;
  }
  SelectItem(0);
  Click(Control(main_, page().remove_one));
  ASSERT_TRUE(WaitUntil([&] { return ListItems(List()).size() == 4; }));
  ASSERT_TRUE(WaitUntil([&] { return folder_.Read(page().file) == kept; }));
}

TEST_P(ListPagesTest, RemovingOneWithoutASelectionWarns) {
  folder_.Write(page().file, Narrow(kA) + "\r\n");
  Open(1);
  Click(Control(main_, page().remove_one));
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Nothing is selected! :", IDOK),
            L"Please, select at least one\r\nkey to be removed!\r\n");
  EXPECT_EQ(folder_.Read(page().file), Narrow(kA) + "\r\n");
}

TEST_P(ListPagesTest, RemovingAllAfterTheQuestionLeavesAnEmptyFile) {
  folder_.Write(page().file, Narrow(kA) + "\r\n" + Narrow(kB) + "\r\nshort\r\n");
  Open(2);
  Click(Control(main_, page().remove_all));
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Question :", IDNO), L"Are you sure?");
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItems(List()).size(), 2u);

  Click(Control(main_, page().remove_all));
  EXPECT_TRUE(AnswerMessageBox(process_.id(), L": Question :", IDYES));
  ASSERT_TRUE(WaitUntil([&] { return folder_.Read(page().file) == ""; }));
  EXPECT_TRUE(ListItems(List()).empty());
}

TEST_P(ListPagesTest, RemovingAllFromAnEmptyPageSaysSoAndKeepsTheFile) {
  folder_.Write(page().file, "{not shown}\r\n");
  Open(0);
  Click(Control(main_, page().remove_all));
  EXPECT_EQ(AnswerMessageBox(process_.id(), L": Empty :", IDOK), L"The list is empty!");
  EXPECT_EQ(folder_.Read(page().file), "{not shown}\r\n");
}

TEST_P(ListPagesTest, SelectingAnEntryShowsItsDetails) {
  folder_.Write(page().file, Narrow(kA) + "\r\n");
  Register({Braced(kA), L"Listed object", SampleHelperPath()});
  Open(1);
  SelectItem(0);
  ASSERT_TRUE(WaitUntil([&] { return HasVisibleStyle(Control(main_, ids::kTipsResults)); }));
  ASSERT_TRUE(FlushPostedMessages(List()));  // the handler that fills the page has ended
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit6)), L"Listed object");
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit3)), L"1.2.3.4");

  // Below the items: the fields empty and nothing stays selected.
  ClickAt(List(), 100, 150);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(main_, ids::kEdit6)).empty(); }));
  EXPECT_EQ(ListCurrentIndex(List()), -1);

  // Enter shows the current entry again.
  ::SendMessageW(List(), LB_SETCURSEL, 0, 0);
  PressKey(List(), VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(main_, ids::kEdit6)) == L"Listed object"; }));
}

TEST_P(ListPagesTest, ALongListIsShownWholeInOrderEachTimeThePageOpens) {
  // 2,000 entries, every tenth one braced (not shown), with duplicates.
  std::string file;
  std::vector<std::wstring> shown;
  for (int i = 0; i < 2000; ++i) {
    char clsid[40];
    std::snprintf(clsid, sizeof clsid, "E2E2%04X-0000-4000-8000-%012X", i % 1500, i);
    file += i % 10 == 3 ? "{" + std::string(clsid) + "}\r\n" : std::string(clsid) + "\r\n";
    if (i % 10 != 3) shown.emplace_back(clsid, clsid + 36);
  }
  folder_.Write(page().file, file);
  Open(shown.size());
  EXPECT_EQ(ListItems(List()), shown);
  SelectItem(5);
  ASSERT_EQ(ListCurrentIndex(List()), 5);

  // Opened again, it is filled again from the list: no current item.
  Click(Control(main_, ids::kBtScanner));
  Click(Control(main_, page().section_button));
  ASSERT_TRUE(FlushPostedMessages(List()));
  EXPECT_EQ(ListItems(List()), shown);
  EXPECT_EQ(ListCurrentIndex(List()), -1);
  EXPECT_EQ(folder_.Read(page().file), file);
}

INSTANTIATE_TEST_SUITE_P(IgnoredAndBlocked, ListPagesTest, ::testing::Values(kIgnored, kBlocked),
                         [](const auto& info) {
                           return std::string(info.param.list == ids::kLbIgnored ? "Ignored"
                                                                                 : "Blocked");
                         });

}  // namespace
}  // namespace qb::e2e
