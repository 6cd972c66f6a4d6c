#include <algorithm>
#include <string>
#include <vector>

#include "harness/program_test.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/device_context.h"
#include "platform/win32/unique_handle.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr std::size_t kLine = 26;

std::string SampleIndexFile(const wchar_t* name) {
  return ReadFileBytes(BuildFolder() / L"samples" / L"index.dat" / name).value_or("");
}

// What the pane shows for `bytes`: lines of 26, '.' below 32 and the ANSI
// code page's character otherwise, the last line padded with spaces.
std::wstring DumpLine(const std::string& bytes, std::size_t line) {
  std::wstring text;
  for (std::size_t i = line * kLine; i < std::min(bytes.size(), (line + 1) * kLine); ++i) {
    const char byte = bytes[i];
    wchar_t character = L'?';
    if (static_cast<unsigned char>(byte) < 32) {
      character = L'.';
    } else {
      ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, &character, 1);
    }
    text += character;
  }
  text.resize(kLine, L' ');
  return text;
}

std::wstring Dump(const std::string& bytes) {
  std::wstring text;
  for (std::size_t line = 0; line * kLine < bytes.size(); ++line) {
    text += DumpLine(bytes, line) + L"\r\n";
  }
  return text;
}

LRESULT TextLength(HWND window) { return ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0); }

std::size_t LineCount(HWND pane) {
  // The count includes the empty line after the last line end.
  return static_cast<std::size_t>(::SendMessageW(pane, EM_GETLINECOUNT, 0, 0)) - 1;
}

std::wstring LineOf(HWND pane, std::size_t index) {
  std::wstring line(64, L'\0');
  *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size());
  const LRESULT copied =
      ::SendMessageW(pane, EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(copied));
  return line;
}

// A point a quarter into the cell of a character of the pane scrolled to its
// top-left: its font (Courier New, 8 points) at the screen's dpi, lines from
// the top, columns after a margin of 2 pixels.
LPARAM PaneCellPoint(std::size_t line, std::size_t column) {
  const win32::WindowDc screen(nullptr);
  const win32::UniqueFont font(
      ::CreateFontW(-::MulDiv(8, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                    0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"Courier New"));
  const win32::SelectedObject selected(screen.get(), font.get());
  TEXTMETRICW cell{};
  ::GetTextMetricsW(screen.get(), &cell);
  return MAKELPARAM(2 + column * cell.tmAveCharWidth + cell.tmAveCharWidth / 4,
                    line * cell.tmHeight + cell.tmHeight / 4);
}

std::wstring ClipboardText() {
  std::wstring text;
  const win32::ClipboardScope clipboard(nullptr);
  HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
  if (const auto* characters = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr) {
    text = characters;
    ::GlobalUnlock(data);
  }
  return text;
}

// The demo window, shown by the schedule on day 15, over index files that
// the tests place in a profile of their own.
class DemoTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetLaunchState(15, 2);
    SetSetting(L"AutoStart", L"0");
    profile_ = folder_.path() / L"profile";
    for (const wchar_t* name : {L"History", L"Cache", L"Cookies"}) {
      std::filesystem::create_directories(profile_ / name);
      folders_.Set(name, profile_ / name);
    }
  }

  // Puts `bytes` where the file of the folder value `name` belongs.
  void PutIndexFile(const std::wstring& name, const std::string& bytes) {
    std::filesystem::path file = profile_ / name;
    if (name == L"History") file /= L"History.IE5";
    if (name == L"Cache") file /= L"Content.IE5";
    WriteFileBytes(file / L"index.dat", bytes);
  }

  void OpenDemo() {
    ASSERT_TRUE(StartProgram(L"NOHIDE"));
    ASSERT_TRUE(demo_ = WaitForShown(process_.id(), L"TDemo"));
  }
  HWND Item(int id) const { return Control(demo_, id); }
  std::wstring Pane(int id) const { return TextOf(Item(id)); }
  bool Idle() const { return IsEnabled(Item(ids::kDemoButton1)); }
  // Presses "View the demo" and waits for the reading to end. The press is
  // taken before the marker behind it, and the reading disables the button
  // until it ends.
  void ViewAndWait() {
    Click(Item(ids::kDemoButton1));
    ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }, 30000));
  }

  std::filesystem::path profile_;
  ShellFolders folders_;
  HWND demo_ = nullptr;
};

TEST_F(DemoTest, ViewShowsTheThreeIndexFilesInTheirPanes) {
  const std::string history = SampleIndexFile(L"History.IE5_index.dat");
  const std::string cache = SampleIndexFile(L"Content.IE5_index.dat");
  const std::string cookies = SampleIndexFile(L"nfury_index.dat");
  PutIndexFile(L"History", history);
  PutIndexFile(L"Cache", cache);
  PutIndexFile(L"Cookies", cookies);
  OpenDemo();
  for (int box : {ids::kDHistory, ids::kDCache, ids::kDCookies}) EXPECT_TRUE(IsChecked(Item(box)));
  EXPECT_EQ(TextOf(Item(ids::kGauge1)), L"0%");

  ViewAndWait();
  EXPECT_EQ(Pane(ids::kMemo2), Dump(history));
  EXPECT_EQ(Pane(ids::kMemo3), Dump(cache));
  EXPECT_EQ(Pane(ids::kMemo4), Dump(cookies));
  EXPECT_EQ(TextOf(Item(ids::kGauge1)), L"100%");
  EXPECT_TRUE(IsEnabled(Item(ids::kDemoButton2)));

  // A box left unticked keeps its pane as it was.
  Click(Item(ids::kDCache));
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(Item(ids::kDCache)); }));
  PutIndexFile(L"History", history.substr(0, 53));
  ViewAndWait();
  EXPECT_EQ(Pane(ids::kMemo2), Dump(history.substr(0, 53)));
  EXPECT_EQ(LineCount(Item(ids::kMemo2)), 3u);
  EXPECT_EQ(Pane(ids::kMemo3), Dump(cache));

  // A drag from line 1, column 20 to line 2, column 4 of a full pane
  // selects what lies between, across the line end; Ctrl+C copies just that.
  HWND pane = Item(ids::kMemo3);
  if (const win32::ClipboardScope clipboard(nullptr); clipboard) ::EmptyClipboard();
  ::PostMessageW(pane, WM_VSCROLL, SB_TOP, 0);
  ::PostMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, PaneCellPoint(1, 20));
  ::PostMessageW(pane, WM_MOUSEMOVE, MK_LBUTTON, PaneCellPoint(2, 1));
  ::PostMessageW(pane, WM_LBUTTONUP, 0, PaneCellPoint(2, 4));
  TypeCharacter(pane, 0x03);  // what Ctrl+C types
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_EQ(::SendMessageW(pane, EM_GETSEL, 0, 0),
            MAKELRESULT(kLine + 2 + 20, 2 * (kLine + 2) + 4));
  const std::wstring selected =
      DumpLine(cache, 1).substr(20) + L"\r\n" + DumpLine(cache, 2).substr(0, 4);
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == selected; })) << ClipboardText();

  // Escape while idle empties the panes and closes the window.
  PressKey(Item(ids::kMemo4), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(demo_); }));
  for (int pane : {ids::kMemo2, ids::kMemo3, ids::kMemo4}) EXPECT_EQ(TextLength(Item(pane)), 0);
}

TEST_F(DemoTest, AKeyStopsTheFileBeingReadAndTheNextFilesAreReadWhole) {
  // A large History file takes long enough to be caught while it is read.
  const std::string real = SampleIndexFile(L"nfury_index.dat");
  std::string large;
  while (large.size() < (96u << 20)) large += real;
  const std::string cache = SampleIndexFile(L"Content.IE5_index.dat");
  const std::string cookies = SampleIndexFile(L"History.IE5_index.dat");
  PutIndexFile(L"History", large);
  PutIndexFile(L"Cache", cache);
  PutIndexFile(L"Cookies", cookies);
  OpenDemo();

  Click(Item(ids::kDemoButton1));
  HWND history = Item(ids::kMemo2);
  ASSERT_TRUE(WaitUntil([&] { return TextLength(history) > 0; }));
  // One pane after the other: the later ones wait their turn.
  EXPECT_EQ(TextLength(Item(ids::kMemo3)), 0);
  EXPECT_EQ(TextLength(Item(ids::kMemo4)), 0);
  EXPECT_FALSE(Idle());
  // The close box is refused while a file is read; Escape stops it.
  ::PostMessageW(demo_, WM_CLOSE, 0, 0);
  PressKey(history, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }, 30000));
  EXPECT_TRUE(::IsWindowVisible(demo_));

  const std::size_t lines = LineCount(history);
  ASSERT_GT(lines, 0u);
  EXPECT_LT(lines, (large.size() + kLine - 1) / kLine) << "the dump ran to its end";
  EXPECT_EQ(static_cast<std::size_t>(TextLength(history)), lines * (kLine + 2));
  EXPECT_EQ(LineOf(history, 0), DumpLine(large, 0));
  EXPECT_EQ(LineOf(history, lines - 2), DumpLine(large, lines - 2));
  // The last line holds the bytes up to the last one shown, then spaces.
  const std::wstring last = LineOf(history, lines - 1);
  const std::wstring expected = DumpLine(large, lines - 1);
  ASSERT_EQ(last.size(), kLine);
  std::size_t shown = 0;
  while (shown < kLine && last[shown] == expected[shown]) ++shown;
  EXPECT_GT(shown, 0u);
  EXPECT_EQ(last.substr(shown), std::wstring(kLine - shown, L' ')) << "after " << shown;

  EXPECT_EQ(Pane(ids::kMemo3), Dump(cache));
  EXPECT_EQ(Pane(ids::kMemo4), Dump(cookies));
  EXPECT_EQ(TextOf(Item(ids::kGauge1)), L"100%");
}

TEST_F(DemoTest, AMissingFolderValueOrFileIsReportedAndTheNextFileIsRead) {
  const std::string cookies = SampleIndexFile(L"nfury_index.dat");
  PutIndexFile(L"Cookies", cookies);
  std::filesystem::create_directories(profile_ / L"Cache" / L"Content.IE5");
  OpenDemo();
  // Gone after the program started: Wine writes the shell folders again
  // when a program asks for one, as WinInet does when it loads.
  DeleteValue(HKEY_CURRENT_USER, kShellFoldersKey, L"History");

  Click(Item(ids::kDemoButton1));
  EXPECT_EQ(AnswerMessageBox(process_.id(), kProgramCaption, IDOK),
            L"Error occured while trying to access registry information about History!");
  EXPECT_EQ(AnswerMessageBox(process_.id(), kProgramCaption, IDOK),
            L"Error occured while trying to access Cache index.dat files!");
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_EQ(TextLength(Item(ids::kMemo2)), 0);
  EXPECT_EQ(TextLength(Item(ids::kMemo3)), 0);
  EXPECT_EQ(Pane(ids::kMemo4), Dump(cookies));
}

// The browser that owns the files holds them open; the demo only reads.
TEST_F(DemoTest, AFileHeldOpenForWritingByAnotherProgramIsRead) {
  const std::string cache = SampleIndexFile(L"Content.IE5_index.dat");
  PutIndexFile(L"Cache", cache);
  const std::filesystem::path file = profile_ / L"Cache" / L"Content.IE5" / L"index.dat";
  HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  OpenDemo();
  Click(Item(ids::kDHistory));
  Click(Item(ids::kDCookies));
  ViewAndWait();
  ::CloseHandle(held);
  EXPECT_EQ(Pane(ids::kMemo3), Dump(cache));
  EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 500));
}

TEST_F(DemoTest, AFileThatCannotBeOpenedEndsTheReadingWithTheErrorBox) {
  const std::string history = SampleIndexFile(L"History.IE5_index.dat");
  PutIndexFile(L"History", history);
  PutIndexFile(L"Cache", SampleIndexFile(L"Content.IE5_index.dat"));
  PutIndexFile(L"Cookies", SampleIndexFile(L"nfury_index.dat"));
  const std::filesystem::path file = profile_ / L"Cache" / L"Content.IE5" / L"index.dat";
  HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  OpenDemo();
  Click(Item(ids::kDemoButton1));
  const auto error = AnswerMessageBox(process_.id(), kProgramCaption, IDOK);
  ::CloseHandle(held);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, L"Cannot open file " + file.wstring() + L".");
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_TRUE(IsEnabled(Item(ids::kDemoButton2)));
  EXPECT_EQ(Pane(ids::kMemo2), Dump(history));
  EXPECT_EQ(TextLength(Item(ids::kMemo4)), 0) << "the files after it are not read";
}

// A share that Wine serves for \\host\share: a folder of the prefix's
// dosdevices\unc. Removed with everything in it at the end.
class UncShare {
 public:
  UncShare(const std::wstring& host, const std::wstring& share) {
    wchar_t prefix[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    host_ =
        std::filesystem::path(L"Z:" + std::wstring(prefix, length)) / L"dosdevices" / L"unc" / host;
    folder_ = host_ / share;
    std::filesystem::create_directories(folder_);
  }
  ~UncShare() {
    std::error_code ignored;
    if (!host_.empty()) std::filesystem::remove_all(host_, ignored);
  }
  UncShare(const UncShare&) = delete;
  UncShare& operator=(const UncShare&) = delete;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path host_;
  std::filesystem::path folder_;
};

// A folder value that any program of the user can write must not make the
// demo reach a server, which would be offered the user's credentials, nor
// read through the device namespace: either is a file that cannot be
// opened, and nothing of it is shown.
TEST_F(DemoTest, ANetworkOrDeviceFolderIsNeverOpened) {
  const std::string history = SampleIndexFile(L"History.IE5_index.dat");
  const UncShare share(L"qbdemohost", L"share");
  ASSERT_FALSE(share.folder().empty()) << "WINEPREFIX is not set";
  WriteFileBytes(share.folder() / L"History.IE5" / L"index.dat", history);
  folders_.Set(L"History", L"\\\\qbdemohost\\share");
  PutIndexFile(L"Cache", SampleIndexFile(L"Content.IE5_index.dat"));
  const std::wstring device_folder = L"\\\\.\\" + (profile_ / L"Cache").wstring();
  folders_.Set(L"Cache", device_folder);
  OpenDemo();
  Click(Item(ids::kDCache));
  Click(Item(ids::kDCookies));
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(Item(ids::kDCookies)); }));

  Click(Item(ids::kDemoButton1));
  EXPECT_EQ(AnswerMessageBox(process_.id(), kProgramCaption, IDOK),
            L"Cannot open file \\\\qbdemohost\\share\\History.IE5\\index.dat.");
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_EQ(TextLength(Item(ids::kMemo2)), 0);

  Click(Item(ids::kDHistory));
  Click(Item(ids::kDCache));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Item(ids::kDCache)); }));
  Click(Item(ids::kDemoButton1));
  EXPECT_EQ(AnswerMessageBox(process_.id(), kProgramCaption, IDOK),
            L"Cannot open file " + device_folder + L"\\Content.IE5\\index.dat.");
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_EQ(TextLength(Item(ids::kMemo3)), 0);
}

}  // namespace
}  // namespace qb::e2e
