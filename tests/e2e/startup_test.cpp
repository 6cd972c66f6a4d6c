#include <string>

#include "harness/program_test.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, WithoutAutoStartTheMainWindowOpensOnTheScannerSection) {
  SetSetting(L"AutoStart", L"0");
  SetSetting(L"StartMinimized", L"0");
  ASSERT_TRUE(StartProgram());
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_TRUE(IsChecked(Control(main_, ids::kBtScanner)));
  EXPECT_TRUE(HasVisibleStyle(Control(main_, ids::kPaScanner)));
  EXPECT_TRUE(HasVisibleStyle(Control(main_, ids::kTipsScan)));
  EXPECT_EQ(TextOf(Control(main_, ids::kBtScan)), L"&Scan");
  EXPECT_EQ(TextOf(Control(main_, ids::kBtIgnoredObjects)), L"&Ignored");
  // The Results page, which only an object's selection shows, is made then.
  EXPECT_FALSE(Control(main_, ids::kTipsResults));
}

TEST_F(StartupTest, AutoStartOpensOnTheVodUridazurSection) {
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_TRUE(IsChecked(Control(main_, ids::kBtVodUridazur)));
  EXPECT_TRUE(HasVisibleStyle(Control(main_, ids::kPaVodUridazur)));
  EXPECT_TRUE(IsEnabled(Control(main_, ids::kBtStartStopGuardian)));
  EXPECT_FALSE(IsEnabled(Control(main_, ids::kBtScan)));
  // Loading the settings wrote nothing; the start was counted.
  EXPECT_TRUE(SettingValueNames().empty());
  EXPECT_EQ(StoredDword(L"Ypos"), 1u);
}

// Read once per start, whether by the tray's start-up handler (a start
// without arguments) or by the window's creation (NOHIDE): one box each.
TEST_F(StartupTest, ASettingOfTheWrongTypeIsReportedOnceAndTheProgramGoesOn) {
  SetString(HKEY_CURRENT_USER, kSettingsKey, L"MakeBackup", L"0");
  SetDword(HKEY_CURRENT_USER, kSettingsKey, L"AutoStart", 0);
  for (const std::wstring argument : {L"", L"NOHIDE"}) {
    SCOPED_TRACE(std::string(argument.begin(), argument.end()));
    process_ = folder_.Start(argument);
    EXPECT_EQ(AnswerMessageBox(process_.id(), kProgramCaption, IDOK),
              L"Invalid data type for 'AutoStart'");
    main_ = WaitForMainWindow(process_);
    ASSERT_TRUE(main_);
    // A second read would put up its box before this marker is handled.
    ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
    EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 500));
    EXPECT_TRUE(process_.running());
    // AutoStart kept its default: the Vod Uridazur section.
    EXPECT_TRUE(IsChecked(Control(main_, ids::kBtVodUridazur)));
    if (!argument.empty()) {
      EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
    }
    process_.Close();
  }
}

// Runs with the rights of whoever starts it, so that the autostart entry
// works at logon; a step that needs more rights reports it where it fails.
TEST_F(StartupTest, TheProgramDeclaresThatItRunsAsItsInvoker) {
  const HMODULE image = ::LoadLibraryExW(folder_.File(L"quellbright.exe").c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(image);
  const HRSRC resource = ::FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_TRUE(resource);
  const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(image, resource)));
  const std::string manifest(bytes, ::SizeofResource(image, resource));
  ::FreeLibrary(image);
  EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"),
            std::string::npos);
}

TEST_F(StartupTest, EscapeHidesTheMainWindow) {
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  PressKey(Control(main_, ids::kLbMain), VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }));
  EXPECT_TRUE(process_.running());
}

TEST_F(StartupTest, ASecondStartWakesTheHiddenCopyAndEndsWithZero) {
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  PressKey(Control(main_, ids::kLbMain), VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main_); }));
  const auto files_before = folder_.Read(L"ICLSIDs.txt");

  Process second = folder_.Start();
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  EXPECT_TRUE(TopLevelWindows(second.id()).empty());
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), files_before);
  EXPECT_TRUE(SettingValueNames().empty());
  EXPECT_EQ(StoredDword(L"Ypos"), 1u) << "the second copy counted as a launch";
}

TEST_F(StartupTest, ASecondStartRestoresAMinimisedCopy) {
  ASSERT_TRUE(StartProgram(L"NOHIDE"));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  ::ShowWindowAsync(main_, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(main_) != 0; }));

  Process second = folder_.Start();
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(main_) && ::IsWindowVisible(main_); }));
}

// A window of the same class under another caption is not a running copy.
TEST_F(StartupTest, AWindowWithAnotherCaptionIsNotARunningCopy) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = ::DefWindowProcW;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"TOrvex";
  ::RegisterClassW(&window_class);
  HWND impostor = ::CreateWindowW(L"TOrvex", L"Quellbright", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, window_class.hInstance, nullptr);
  ASSERT_TRUE(impostor);

  EXPECT_TRUE(StartProgram());
  EXPECT_TRUE(process_.running());
  EXPECT_EQ(TextOf(impostor), L"Quellbright");
  ::DestroyWindow(impostor);
}

TEST_F(StartupTest, AMissingDatabaseIsReportedAndTheProgramEnds) {
  folder_.Write(L"ICLSIDs.txt", "11111111-1111-1111-1111-111111111111\r\n");
  folder_.Remove(L"CLSIDs.txt");
  process_ = folder_.Start();

  const auto box = WaitForMessageBox(process_.id(), L": Database corrupted! :");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            L"Sorry, the database is corrupted!\r\n"
            L"Please, reinstall application to fix the problem.\r\n"
            L"\r\n"
            L"Clik OK to exit.");
  Answer(*box, IDOK);
  EXPECT_EQ(process_.WaitForExit(), 0u);
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), "11111111-1111-1111-1111-111111111111\r\n");
}

// Starting with an empty list would overwrite the file at the next save.
TEST_F(StartupTest, AListFileThatCannotBeReadEndsTheProgramAndKeepsTheFile) {
  folder_.Write(L"ICLSIDs.txt", "11111111-1111-1111-1111-111111111111\r\n");
  HANDLE held = ::CreateFileW(folder_.File(L"ICLSIDs.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  process_ = folder_.Start();
  const auto error = AnswerMessageBox(process_.id(), kProgramCaption, IDOK);
  ::CloseHandle(held);

  ASSERT_TRUE(error);
  EXPECT_EQ(*error, L"Cannot open file " + folder_.File(L"ICLSIDs.txt").wstring() + L".");
  EXPECT_EQ(process_.WaitForExit(), 1u);
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"), "11111111-1111-1111-1111-111111111111\r\n");
}

TEST_F(StartupTest, ExitFromTheFileMenuEndsTheProgram) {
  ASSERT_TRUE(StartProgram());
  PostCommand(main_, ids::kExit1);
  EXPECT_EQ(process_.WaitForExit(), 0u);
}

}  // namespace
}  // namespace qb::e2e
