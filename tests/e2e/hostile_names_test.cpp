// Names and paths that the programs this tool removes write on purpose to
// trip up the tools that look at them.
#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/scanner_page.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kInjected[] = L"Software\\QbInjected";

class HostileNamesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    DeleteTree(HKEY_LOCAL_MACHINE, kInjected);
    SetSetting(L"AutoStart", L"0");
    SetSetting(L"StartMinimized", L"0");
  }
  void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kInjected); }

  HWND List() { return Control(main_, ids::kLbMain); }

  void Scan(std::size_t expected) { ASSERT_EQ(ScanFor(main_, expected).size(), expected); }

  std::optional<std::wstring> DeleteAll() { return DeleteAllObjects(main_, process_.id()); }

  std::filesystem::path OnlyBackup() const { return qb::e2e::OnlyBackup(folder_); }

  bool StillRunning() {
    return process_.running() && ::IsWindow(main_) && FlushPostedMessages(List());
  }
};

// A subkey named with a NUL inside: cut at the NUL, its name would open its
// own parent, and a tree deletion would recurse until the stack ran out.
TEST_F(HostileNamesTest, AnObjectWithNulNamedSubkeysIsRemovedAndTheProgramGoesOn) {
  Register({Braced(kA), L"Hiding object", SampleHelperPath()});
  ASSERT_TRUE(CreateKeyWithCountedName(HKEY_LOCAL_MACHINE, ObjectKey(kA), WithNul(L"", L"")));
  ASSERT_TRUE(CreateKeyWithCountedName(HKEY_LOCAL_MACHINE, ObjectKey(kA), WithNul(L"Sub", L"x")));
  ASSERT_EQ(SubkeyNames(HKEY_LOCAL_MACHINE, ObjectKey(kA)).size(), 2u);
  ASSERT_TRUE(StartProgram());
  Scan(1);

  const auto result = DeleteAll();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->rfind(L"The object(s) was removed successfuly.", 0), 0u) << *result;
  EXPECT_NE(result->find(L"is incomplete"), std::wstring::npos) << *result;
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_TRUE(StillRunning());
  const std::optional<std::string> backup =
      folder_.Read(L"backup\\" + OnlyBackup().filename().wstring());
  ASSERT_TRUE(backup);
  EXPECT_NE(backup->find("; Not backed up: the subkey \"Sub\\0x\""), std::string::npos) << *backup;
}

// A value name that holds a line break and a key line would, written as it
// is, add a key of the object's choosing to a file the user may merge.
TEST_F(HostileNamesTest, ABackupWithALineBreakInANameMergesBackWithoutAnyOtherKey) {
  Register({Braced(kA), L"Injecting object", SampleHelperPath()});
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA), L"NoExplorer", L"1");
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA),
            L"x\r\n[HKEY_LOCAL_MACHINE\\Software\\QbInjected]\r\n\"a", L"b");
  ASSERT_TRUE(StartProgram());
  Scan(1);
  const auto result = DeleteAll();
  ASSERT_TRUE(result);
  EXPECT_NE(result->find(L"is incomplete"), std::wstring::npos);
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));

  ASSERT_EQ(MergeWithRegedit(OnlyBackup()), 0u);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, ObjectKey(kA), L"NoExplorer"), L"1");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kInjected));
}

// Run by a ctest entry of its own in the Japanese ANSI code page, 932
// (tests/e2e/CMakeLists.txt), where the second byte of 表 (95 5C) and ソ
// (83 5C) is "\": regedit decodes a line before it reads the escapes.
class HostileNamesInCodePage932Test : public HostileNamesTest {};

TEST_F(HostileNamesInCodePage932Test, ABackupWithDoubleByteNamesAndTextMergesBackExactly) {
  ASSERT_EQ(::GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
  const std::wstring name = L"\u8868";
  const std::wstring text = L"\u8868\\\u30BD\"";
  Register({Braced(kA), L"Japanese object", SampleHelperPath()});
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA), name, text);
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA), L"NoExplorer", L"1");
  ASSERT_TRUE(StartProgram());
  Scan(1);
  const auto result = DeleteAll();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->find(L"is incomplete"), std::wstring::npos) << *result;
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  const std::optional<std::string> backup =
      folder_.Read(L"backup\\" + OnlyBackup().filename().wstring());
  ASSERT_TRUE(backup);
  EXPECT_NE(backup->find("\"\x95\x5C\"=\"\x95\x5C\\\\\x83\x5C\\\"\"\r\n"), std::string::npos)
      << *backup;

  ASSERT_EQ(MergeWithRegedit(OnlyBackup()), 0u);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, ObjectKey(kA), name), text);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, ObjectKey(kA), L"NoExplorer"), L"1");
}

// A lone surrogate cannot go into a REGEDIT4 file; it must not keep the
// object registered or the removal from being reported truthfully.
TEST_F(HostileNamesTest, ALoneSurrogateInANameDoesNotKeepTheObject) {
  Register({Braced(kA), L"Surrogate object", SampleHelperPath()});
  SetString(HKEY_LOCAL_MACHINE, ObjectKey(kA), std::wstring(L"lone ") + wchar_t(0xD800), L"v");
  CreateKey(HKEY_LOCAL_MACHINE, ObjectKey(kA) + L"\\key " + wchar_t(0xDC00));
  ASSERT_TRUE(StartProgram());
  Scan(1);
  const auto result = DeleteAll();
  ASSERT_TRUE(result);
  EXPECT_NE(result->find(L"is incomplete"), std::wstring::npos);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_TRUE(StillRunning());
}

// A key name outside ASCII goes into the list in the ANSI code page, and
// the list then holds the object.
TEST_F(HostileNamesTest, IgnoringAnObjectWritesItsNameInTheAnsiCodePage) {
  const std::wstring clsid = L"\u00C45555555-5555-4555-8555-555555555555";
  Register({Braced(clsid), L"Accented", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  Scan(1);
  EXPECT_EQ(ListItems(List()), std::vector<std::wstring>{clsid});
  ClickListItem(List(), 0);
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main_, ids::kBtIgnoreObject)); }));
  Click(Control(main_, ids::kBtIgnoreObject));
  EXPECT_TRUE(AnswerCleanScan(process_.id()));
  EXPECT_EQ(folder_.Read(L"ICLSIDs.txt"),
            "\xC4"
            "5555555-5555-4555-8555-555555555555\r\n");
}

// Names that Windows takes for devices: reading them could open a port or
// the console and hang. The details show the name and nothing from a file.
TEST_F(HostileNamesTest, DevicePathsShowTheirNameAndAreNeverRead) {
  const std::vector<std::wstring> servers = {L"COM1:",        L"C:\\Windows\\nul:",
                                             L"C:\\x\\con :", L"COM\u00B9",
                                             L"LPT\u00B3",    L"C:\\Windows\\COM1.dll:x"};
  for (std::size_t i = 0; i < servers.size(); ++i) {
    wchar_t clsid[40];
    std::swprintf(clsid, 40, L"E2E000D%zu-0000-4000-8000-00000000000D", i);
    Register({Braced(clsid), L"Device " + std::to_wstring(i), servers[i]});
  }
  ASSERT_TRUE(StartProgram());
  Scan(servers.size());
  for (std::size_t i = 0; i < servers.size(); ++i) {
    ClickListItem(List(), static_cast<int>(i));
    const std::wstring name = L"Device " + std::to_wstring(i);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(main_, ids::kEdit6)) == name; }, 5000));
    EXPECT_EQ(TextOf(Control(main_, ids::kEdit1)), servers[i]);
    EXPECT_EQ(TextOf(Control(main_, ids::kEdit2)), L"");
    EXPECT_EQ(TextOf(Control(main_, ids::kEdit3)), L"");
  }
  EXPECT_TRUE(StillRunning());
}

}  // namespace
}  // namespace qb::e2e
