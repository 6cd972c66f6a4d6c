#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/installation.h"
#include "harness/program.h"
#include "harness/registry_fixture.h"
#include "harness/ui.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kA[] = L"E2E0001A-0000-4000-8000-00000000001A";
constexpr wchar_t kB[] = L"E2E0001B-0000-4000-8000-00000000001B";
constexpr char kIgnored[] = "E2E0001A-0000-4000-8000-00000000001A\r\n";
constexpr char kBlocked[] = "E2E0001C-0000-4000-8000-00000000001C\r\n";
constexpr char kBackup[] = "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\E2E]\r\n";
constexpr wchar_t kBackupName[] = L"B20260102030405.reg";
constexpr DWORD kStillRunning = 3;  // the installer's exit code for a copy that stays

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRegistry();
    SetString(HKEY_CURRENT_USER, kSettingsKey, L"AutoStart", L"0");  // open on the Scanner
    folder_ =
        ProgramFilesFolder() / (L"Quellbright E2E " + std::to_wstring(::GetCurrentProcessId()));
    RemoveInstallation();
  }
  void TearDown() override {
    program_ = Process();
    RemoveInstallation();
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"E2E other");
  }

  // The autostart entry goes too: left behind, it would start the program
  // whenever Wine starts the prefix's session.
  void RemoveInstallation() {
    DeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Quellbright");
    std::error_code ignored;
    fs::remove(StartMenuShortcut(), ignored);
    fs::remove_all(DefaultFolder(), ignored);
    fs::remove_all(folder_, ignored);
  }

  static fs::path DefaultFolder() { return ProgramFilesFolder() / L"Quellbright"; }
  // The autostart entry, as the options dialog writes it.
  static std::wstring RunEntryFor(const fs::path& folder) {
    return L"\"" + (folder / L"quellbright.exe").wstring() + L"\" NoHint";
  }
  static fs::path Built(const wchar_t* name) { return BuildFolder() / L"program" / name; }

  void WriteUserData(const fs::path& folder) {
    WriteFileBytes(folder / L"ICLSIDs.txt", kIgnored);
    WriteFileBytes(folder / L"BCLSIDs.txt", kBlocked);
    WriteFileBytes(folder / L"backup" / kBackupName, kBackup);
  }
  void ExpectUserDataKept(const fs::path& folder) {
    EXPECT_EQ(ReadFileBytes(folder / L"ICLSIDs.txt"), kIgnored);
    EXPECT_EQ(ReadFileBytes(folder / L"BCLSIDs.txt"), kBlocked);
    EXPECT_EQ(ReadFileBytes(folder / L"backup" / kBackupName), kBackup);
  }
  void ExpectShipped(const fs::path& folder) {
    for (const wchar_t* name : {L"quellbright.exe", L"quellbright.com", L"CLSIDs.txt"}) {
      const std::optional<std::string> installed = ReadFileBytes(folder / name);
      EXPECT_TRUE(installed) << fs::path(name);
      EXPECT_EQ(installed, ReadFileBytes(Built(name))) << fs::path(name);
    }
  }

  // Starts the installed program and waits for its main window.
  HWND StartProgram(const fs::path& folder) {
    program_ = StartInstalled(folder);
    return WaitForMainWindow(program_);
  }

  // The CLSIDs a scan of the installed program lists.
  std::vector<std::wstring> Scan(HWND main, std::size_t expected) {
    HWND list = Control(main, ids::kLbMain);
    Click(Control(main, ids::kBtScan));
    WaitUntil([&] { return ListItems(list).size() == expected; });
    return ListItems(list);
  }

  fs::path folder_;  // a fresh folder under Program Files, with a blank in its name
  Process program_;
};

TEST_F(InstallerTest, SilentInstallPutsTheProgramIntoProgramFilesAndRegistersIt) {
  ASSERT_EQ(InstallSilently(std::nullopt), 0u);

  const fs::path folder = DefaultFolder();
  ExpectShipped(folder);
  EXPECT_TRUE(fs::exists(folder / L"Uninstall.exe"));
  EXPECT_FALSE(fs::exists(folder / L"ICLSIDs.txt"));
  EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), folder / L"quellbright.exe");

  const auto value = [](const wchar_t* name) {
    return ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, name).value_or(L"(none)");
  };
  EXPECT_EQ(value(L"DisplayName"), L"Quellbright");
  EXPECT_EQ(value(L"DisplayVersion"), L"2.0");
  EXPECT_EQ(value(L"Publisher"), L"Tarnwick Company");
  EXPECT_EQ(value(L"DisplayIcon"), (folder / L"quellbright.exe").wstring() + L",0");
  EXPECT_EQ(value(L"InstallLocation"), folder.wstring());
  const std::wstring uninstaller = L"\"" + (folder / L"Uninstall.exe").wstring() + L"\"";
  EXPECT_EQ(value(L"UninstallString"), uninstaller);
  EXPECT_EQ(value(L"QuietUninstallString"), uninstaller + L" /S");
  // Kilobytes: at least the program, and not absurdly more.
  const auto size = ReadDword(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(size);
  const auto program_kb = fs::file_size(folder / L"quellbright.exe") / 1024;
  EXPECT_GE(*size, program_kb);
  EXPECT_LE(*size, program_kb * 2 + 1024);
  // "Start with windows" is on from the start: the guard starts at logon.
  EXPECT_EQ(RunEntry(), RunEntryFor(folder));

  // The installed program starts and scans.
  Register({L"{" + std::wstring(kA) + L"}", L"E2E object", L"C:\\e2e\\object.dll"});
  HWND main = StartProgram(folder);
  ASSERT_TRUE(main);
  EXPECT_EQ(Scan(main, 1), std::vector<std::wstring>{kA});

  // OK in the options writes the very same entry.
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Quellbright");
  PostCommand(main, ids::kOptions1);
  const HWND options = WaitForShown(program_.id(), L"TfrmOptions", L": Options :");
  ASSERT_TRUE(options);
  Click(Control(options, ids::kBtOK));
  ASSERT_TRUE(WaitUntil([] { return RunEntry().has_value(); }));
  EXPECT_EQ(RunEntry(), RunEntryFor(folder));
}

TEST_F(InstallerTest, SecondInstallKeepsListsAndBackupsAndReplacesProgramAndDatabase) {
  ASSERT_EQ(InstallSilently(folder_), 0u);
  WriteUserData(folder_);
  WriteFileBytes(folder_ / L"quellbright.exe", "an older program");
  WriteFileBytes(folder_ / L"CLSIDs.txt", "an older database\r\n");
  // "Start with windows" cleared, as OK in the options leaves it.
  SetString(HKEY_CURRENT_USER, kSettingsKey, L"StartWW", L"0");
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Quellbright");

  ASSERT_EQ(InstallSilently(folder_), 0u);

  ExpectShipped(folder_);
  ExpectUserDataKept(folder_);
  EXPECT_FALSE(RunEntry()) << "the user's choice against autostart was undone";
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), folder_.wstring());

  // The kept ignored list still counts.
  Register({L"{" + std::wstring(kA) + L"}", L"ignored", L"C:\\e2e\\a.dll"});
  Register({L"{" + std::wstring(kB) + L"}", L"new", L"C:\\e2e\\b.dll"});
  HWND main = StartProgram(folder_);
  ASSERT_TRUE(main);
  EXPECT_EQ(Scan(main, 1), std::vector<std::wstring>{kB});
}

TEST_F(InstallerTest, SilentInstallAsksARunningCopyToCloseAndReplacesIt) {
  ASSERT_EQ(InstallSilently(folder_), 0u);
  WriteFileBytes(folder_ / L"CLSIDs.txt", "an older database\r\n");
  ASSERT_TRUE(StartProgram(folder_));

  ASSERT_EQ(InstallSilently(folder_), 0u);

  // Closed through its window, as the user would: exit code 0, not ended.
  EXPECT_EQ(program_.WaitForExit(5000), 0u);
  ExpectShipped(folder_);
}

TEST_F(InstallerTest, SilentInstallLeavesABusyCopyAloneAndFails) {
  ASSERT_EQ(InstallSilently(folder_), 0u);
  WriteFileBytes(folder_ / L"CLSIDs.txt", "an older database\r\n");
  HWND main = StartProgram(folder_);
  ASSERT_TRUE(main);
  // A message box is up: the user is in the middle of something.
  Click(Control(main, ids::kBtScan));
  ASSERT_TRUE(WaitForMessageBox(program_.id(), L": No suspicious objects found. :"));

  EXPECT_EQ(InstallSilently(folder_), kStillRunning);

  EXPECT_TRUE(program_.running());
  EXPECT_TRUE(WaitForMessageBox(program_.id(), L": No suspicious objects found. :", 0));
  EXPECT_EQ(ReadFileBytes(folder_ / L"CLSIDs.txt"), "an older database\r\n");
}

TEST_F(InstallerTest, InstallTellsTheUserOfARunningCopyAndCancelChangesNothing) {
  ASSERT_EQ(InstallSilently(folder_), 0u);
  WriteFileBytes(folder_ / L"CLSIDs.txt", "an older database\r\n");
  ASSERT_TRUE(StartProgram(folder_));

  Process setup = StartCommand(L"\"" + SetupProgram().wstring() + L"\" /D=" + folder_.wstring());
  const auto box = WaitForMessageBox(setup.id(), L"Quellbright Setup");
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find(L"Quellbright is running."), std::wstring::npos) << box->text;
  Answer(*box, IDCANCEL);

  EXPECT_EQ(setup.WaitForExit(), kStillRunning);
  EXPECT_TRUE(program_.running());
  EXPECT_EQ(ReadFileBytes(folder_ / L"CLSIDs.txt"), "an older database\r\n");
}

TEST_F(InstallerTest, SilentUninstallRemovesTheProgramAndKeepsListsAndBackups) {
  ASSERT_EQ(InstallSilently(folder_), 0u);
  WriteUserData(folder_);
  ASSERT_EQ(RunEntry(), RunEntryFor(folder_));  // the installer's own
  SetString(HKEY_CURRENT_USER, kRunKey, L"E2E other", L"C:\\other.exe");
  ASSERT_TRUE(StartProgram(folder_));

  ASSERT_TRUE(UninstallSilently());

  EXPECT_EQ(program_.WaitForExit(5000), 0u);
  for (const wchar_t* name :
       {L"quellbright.exe", L"quellbright.com", L"CLSIDs.txt", L"help.chm", L"Uninstall.exe"}) {
    EXPECT_FALSE(fs::exists(folder_ / name)) << fs::path(name);
  }
  EXPECT_FALSE(fs::exists(StartMenuShortcut()));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(RunEntry());
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, kRunKey, L"E2E other"));
  ExpectUserDataKept(folder_);
}

TEST_F(InstallerTest, UninstallRemovesListsAndBackupsWhenTheUserTicksThem) {
  ASSERT_EQ(InstallSilently(folder_), 0u);
  WriteUserData(folder_);

  HWND pages = StartUninstallerPages();
  ASSERT_TRUE(pages);
  Click(::GetDlgItem(pages, IDOK));  // Next, on the confirmation page
  // The components page: "Lists and backups" ticked from the keyboard.
  HWND tree = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    HWND page = ::FindWindowExW(pages, nullptr, L"#32770", nullptr);
    tree = page ? ::GetDlgItem(page, 1032) : nullptr;
    return tree && IsWindowVisible(tree);
  }));
  // Item handles need no memory of the other process; the selected item
  // toggles on a typed blank.
  HTREEITEM second = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const auto first = ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    second = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, first));
    return second != nullptr;
  }));
  ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
  TypeCharacter(tree, L' ');
  Click(::GetDlgItem(pages, IDOK));  // Uninstall
  // The uninstall entry goes last; then Close.
  ASSERT_TRUE(WaitUntil([] { return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, 30000));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(::GetDlgItem(pages, IDOK)); }));
  Click(::GetDlgItem(pages, IDOK));
  ASSERT_TRUE(WaitForUninstallerCopy());

  EXPECT_FALSE(fs::exists(folder_ / L"ICLSIDs.txt"));
  EXPECT_FALSE(fs::exists(folder_ / L"BCLSIDs.txt"));
  EXPECT_FALSE(fs::exists(folder_ / L"backup"));
  EXPECT_FALSE(fs::exists(folder_));
}

}  // namespace
}  // namespace qb::e2e
