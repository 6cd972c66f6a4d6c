// A 32-bit browser on 64-bit Windows registers its helper objects, and their
// classes, in the 32-bit registry view (under Wow6432Node).
#include <algorithm>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/scanner_page.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kSystemDll[] = L"QbSample32.dll";

std::wstring Key32(const std::wstring& clsid) {
  return std::wstring(kBhoKey32) + L"\\" + Braced(clsid);
}

std::filesystem::path Wow64Folder() {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemWow64DirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length);
}

class RegistryViewsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetSetting(L"AutoStart", L"0");
    SetSetting(L"StartMinimized", L"0");
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove(Wow64Folder() / kSystemDll, ignored);
  }

  HWND List() { return Control(main_, ids::kLbMain); }

  std::vector<std::wstring> Scan(std::size_t expected) { return ScanFor(main_, expected); }

  void Select(int index) {
    ClickListItem(List(), index);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(main_, ids::kBtRemoveObject)); }));
  }

  void DeleteAllWithBackup() {
    EXPECT_EQ(DeleteAllObjects(main_, process_.id()), L"The object(s) was removed successfuly.");
  }

  std::filesystem::path OnlyBackup() const { return qb::e2e::OnlyBackup(folder_); }
};

TEST_F(RegistryViewsTest, AnObjectOnlyInThe32BitViewIsListedShownRemovedAndMergedBack) {
  Register({Braced(kA), L"32-bit helper", SampleHelperPath()}, KEY_WOW64_32KEY);
  SetString(HKEY_LOCAL_MACHINE, Key32(kA), L"NoExplorer", L"1");
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  ASSERT_TRUE(StartProgram());
  EXPECT_EQ(Scan(1), std::vector<std::wstring>{kA});

  Select(0);
  const VersionStrings version = ReadVersionStrings(SampleHelperPath());
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit6)), L"32-bit helper");
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit1)), SampleHelperPath());
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit2)), version.description);

  DeleteAllWithBackup();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key32(kA)));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), Narrow(kA) + "\r\n");

  // Merged, the backup puts the key back into the 32-bit view only.
  ASSERT_EQ(MergeWithRegedit(OnlyBackup()), 0u);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, Key32(kA), L"NoExplorer"), L"1");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
}

TEST_F(RegistryViewsTest, AnObjectInBothViewsIsListedOnceAndRemovedFromBoth) {
  Register({Braced(kA), L"64-bit helper", SampleHelperPath()});
  Register({Braced(kA), L"32-bit helper", SampleHelperPath()}, KEY_WOW64_32KEY);
  Register({Braced(kB), L"Only 64-bit", SampleHelperPath()});
  ASSERT_TRUE(StartProgram());
  const std::vector<std::wstring> items = Scan(2);
  EXPECT_EQ(std::count(items.begin(), items.end(), kA), 1);

  const int a = items[0] == kA ? 0 : 1;
  Select(a);
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit6)), L"64-bit helper")
      << "the program's own view first";

  DeleteAllWithBackup();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key32(kA)));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kB)));
  const std::optional<std::string> backup =
      folder_.Read(L"backup\\" + OnlyBackup().filename().wstring());
  ASSERT_TRUE(backup);
  EXPECT_NE(backup->find("\\Wow6432Node\\Microsoft\\"), std::string::npos);

  ASSERT_EQ(MergeWithRegedit(OnlyBackup()), 0u);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ObjectKey(kA)));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Key32(kA)));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key32(kB)));
}

// "system32" in a 32-bit registration names SysWOW64, where Windows sends a
// 32-bit browser to load it.
TEST_F(RegistryViewsTest, A32BitObjectsSystemFileIsReadFromThe32BitSystemFolder) {
  ASSERT_TRUE(::CopyFileW(SampleHelperPath().c_str(), (Wow64Folder() / kSystemDll).c_str(), FALSE));
  const std::wstring server = L"C:\\windows\\system32\\" + std::wstring(kSystemDll);
  ASSERT_FALSE(std::filesystem::exists(server));
  Register({Braced(kA), L"System helper", server}, KEY_WOW64_32KEY);
  ASSERT_TRUE(StartProgram());
  Scan(1);
  Select(0);
  const VersionStrings version = ReadVersionStrings(SampleHelperPath());
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit1)), server);
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit2)), version.description);
  EXPECT_EQ(TextOf(Control(main_, ids::kEdit5)), version.publisher);
}

TEST_F(RegistryViewsTest, TheGuardAsksAboutA32BitObjectAndRemovesItSilentlyOnceBlocked) {
  Register({Braced(kA), L"32-bit helper", SampleHelperPath()}, KEY_WOW64_32KEY);
  SetSetting(L"AutoStart", L"1");
  ASSERT_TRUE(StartProgram(L"nohint"));
  const HWND alert = WaitForShown(process_.id(), L"TfrmAlert", L": Alert! :");
  ASSERT_TRUE(alert);
  EXPECT_EQ(TextOf(Control(alert, ids::kAlertEdit6)), L"32-bit helper");
  Click(Control(alert, ids::kBitBtn2));  // Delete
  ASSERT_TRUE(WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, Key32(kA)); }));
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), Narrow(kA) + "\r\n");

  Register({Braced(kA), L"32-bit helper", SampleHelperPath()}, KEY_WOW64_32KEY);
  EXPECT_TRUE(WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, Key32(kA)); }, 3000));
  EXPECT_FALSE(::IsWindowVisible(alert));
}

}  // namespace
}  // namespace qb::e2e
