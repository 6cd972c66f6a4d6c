// `quellbright.com POLICY <file>`: the blocked list as Internet Explorer's
// add-on policy, made from a script as administrators make it and merged as
// they merge it.
#include <algorithm>

#include "harness/program_test.h"
#include "harness/promotions.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext";
constexpr wchar_t kAddonListKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext\\CLSID";

// Three CLSIDs, the first again in other letter case, and two entries that
// are none: braces, and one digit short.
constexpr char kBlockedList[] =
    "E2E0000A-0000-4000-8000-00000000000A\r\n"
    "E2E0000B-0000-4000-8000-00000000000B\r\n"
    "e2e0000a-0000-4000-8000-00000000000a\r\n"
    "{E2E0000D-0000-4000-8000-00000000000D}\r\n"
    "E2E0000C-0000-4000-8000-00000000000C\r\n"
    "E2E0000D-0000-4000-8000-00000000000\r\n";

constexpr char kPolicy[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext]\r\n"
    "\"ListBox_Support_CLSID\"=dword:00000001\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext\\CLSID]\r\n"
    "\"{E2E0000A-0000-4000-8000-00000000000A}\"=\"0\"\r\n"
    "\"{E2E0000B-0000-4000-8000-00000000000B}\"=\"0\"\r\n"
    "\"{E2E0000C-0000-4000-8000-00000000000C}\"=\"0\"\r\n"
    "\r\n";

class PolicyTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    DeleteTree(HKEY_LOCAL_MACHINE, kPolicyKey);
    folder_.Write(L"BCLSIDs.txt", kBlockedList);
  }
  void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kPolicyKey); }

  // Runs `command` as a script would, through cmd in the program folder,
  // and gives cmd's exit code: the code of its last command.
  std::optional<DWORD> RunInCmd(const std::wstring& command) {
    return folder_.StartInCmd(command).WaitForExit(20000);
  }

  // Starts the program through the companion, as "quellbright.com nohint"
  // typed in a console would, and takes the copy it started.
  HWND StartThroughCompanion(const std::wstring& arguments) {
    if (RunInCmd(L"quellbright.com " + arguments) != 0u) return nullptr;
    HWND found = nullptr;
    WaitUntil([&] { return (found = ::FindWindowW(L"TOrvex", kProgramCaption)) != nullptr; });
    DWORD id = 0;
    if (!found || !::GetWindowThreadProcessId(found, &id)) return nullptr;
    const DWORD access = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE;
    HANDLE process = ::OpenProcess(access, FALSE, id);
    if (!process) return nullptr;
    process_ = Process(PROCESS_INFORMATION{process, nullptr, id, 0});
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (!::QueryFullProcessImageNameW(process, 0, image, &size) ||
        _wcsicmp(image, folder_.File(L"quellbright.exe").c_str()) != 0) {
      return nullptr;
    }
    return main_ = found;
  }

  // What standard error says of the two entries that are no CLSID.
  std::string LeftOutLine() const {
    return "Quellbright: 2 entries of the blocked list " +
           Narrow(folder_.File(L"BCLSIDs.txt").wstring()) +
           " are not CLSIDs (36 characters: hexadecimal digits in groups of 8-4-4-4-12)"
           " and were left out of the policy\r\n";
  }
};

TEST_F(PolicyTest, DeniesEachBlockedClsidOnceAndRegeditMergesExactlyThat) {
  const std::optional<DWORD> launches = StoredDword(L"Ypos");
  ASSERT_TRUE(launches);

  EXPECT_EQ(RunInCmd(L"quellbright.com POLICY policy.reg 2>errors.txt"), 0u);
  EXPECT_EQ(folder_.Read(L"policy.reg"), kPolicy);
  EXPECT_EQ(folder_.Read(L"errors.txt"), LeftOutLine());

  // "-" is standard output, which cmd sends on. The windowed program writes
  // there too, and gives its code to whoever waits for it: cmd /c does, under
  // Wine, as a batch file does.
  EXPECT_EQ(RunInCmd(L"quellbright.com policy - >console.reg 2>nul"), 0u);
  EXPECT_EQ(folder_.Read(L"console.reg"), kPolicy);
  EXPECT_EQ(RunInCmd(L"quellbright.exe Policy - >windowed.reg 2>nul"), 0u);
  EXPECT_EQ(folder_.Read(L"windowed.reg"), kPolicy);

  // Nothing else changed: no setting, no launch counted, no list written.
  EXPECT_TRUE(SettingValueNames().empty());
  EXPECT_EQ(StoredDword(L"Ypos"), launches);
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), kBlockedList);

  ASSERT_EQ(MergeWithRegedit(folder_.File(L"policy.reg")), 0u);
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kPolicyKey),
            std::vector<std::wstring>{L"ListBox_Support_CLSID"});
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kPolicyKey, L"ListBox_Support_CLSID"), 1u);
  EXPECT_EQ(SubkeyNames(HKEY_LOCAL_MACHINE, kPolicyKey), std::vector<std::wstring>{L"CLSID"});
  EXPECT_TRUE(SubkeyNames(HKEY_LOCAL_MACHINE, kAddonListKey).empty());
  std::vector<std::wstring> denied = ValueNames(HKEY_LOCAL_MACHINE, kAddonListKey);
  std::sort(denied.begin(), denied.end());
  EXPECT_EQ(denied, (std::vector<std::wstring>{Braced(kA), Braced(kB), Braced(kC)}));
  for (const std::wstring& name : denied) {
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kAddonListKey, name), L"0") << name;
  }

  // Taken back as the README says.
  EXPECT_EQ(RunInCmd(L"reg delete \"HKLM\\" + std::wstring(kAddonListKey) + L"\" /f && " +
                     L"reg delete \"HKLM\\" + kPolicyKey + L"\" /v ListBox_Support_CLSID /f"),
            0u);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAddonListKey));
  EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, kPolicyKey).empty());
}

TEST_F(PolicyTest, ATargetThatCannotBeWrittenEndsWithTwoAndAGuardingCopyGuardsOnHidden) {
  SetSetting(L"StartMinimized", L"1");
  // Any other command line, the companion hands on to quellbright.exe.
  ASSERT_TRUE(StartThroughCompanion(L"nohint"));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(main_, ids::kLTimerState)) == L"is active"; }));
  ASSERT_FALSE(::IsWindowVisible(main_));

  EXPECT_EQ(RunInCmd(L"quellbright.com POLICY \"no such folder\\policy.reg\" 2>nul"), 2u);
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / L"no such folder"));
  // Never a device, by any of its names: no file can take a device's place.
  for (const wchar_t* device : {L"NUL", L"com1", L"CON.reg", L"\\\\.\\NUL"}) {
    EXPECT_EQ(RunInCmd(L"quellbright.com POLICY " + std::wstring(device) + L" 2>errors.txt"), 2u)
        << device;
    EXPECT_EQ(folder_.Read(L"errors.txt"), LeftOutLine() +
                                                "Quellbright: no policy was written: "
                                                "Cannot create file " +
                                                Narrow(device) + "\r\n");
  }
  // A policy that another program holds open keeps its old content whole.
  folder_.Write(L"policy.reg", "old policy");
  HANDLE held = ::CreateFileW(folder_.File(L"policy.reg").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunInCmd(L"quellbright.com POLICY policy.reg 2>nul"), 2u);
  ::CloseHandle(held);
  EXPECT_EQ(folder_.Read(L"policy.reg"), "old policy");
  for (const std::wstring& name : folder_.FilesIn(L"")) {
    EXPECT_EQ(name.find(L".tmp"), std::wstring::npos) << "a temporary file stayed";
  }

  EXPECT_EQ(RunInCmd(L"quellbright.com POLICY policy.reg"), 0u);
  EXPECT_EQ(folder_.Read(L"policy.reg"), kPolicy);
  EXPECT_EQ(folder_.Start(L"POLICY windowed.reg").WaitForExit(20000), 0u);
  EXPECT_EQ(folder_.Read(L"windowed.reg"), kPolicy);
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_FALSE(::IsWindowVisible(main_)) << "the policy never wakes the running copy";
  EXPECT_TRUE(process_.running());
  EXPECT_TRUE(GuardRunning(main_));
  const int ticks = GuardTicksDone(main_);
  EXPECT_TRUE(WaitUntil([&] { return GuardTicksDone(main_) > ticks; }));
}

}  // namespace
}  // namespace qb::e2e
