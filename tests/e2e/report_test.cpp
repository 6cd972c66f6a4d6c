// `quellbright.exe REPORT <file>`, run as a login script would run it.
#include "harness/program_test.h"
#include "harness/promotions.h"
#include "harness/samples.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

class ReportTest : public ProgramTest {
 protected:
  // Runs the report and gives its exit code; the program must end by itself.
  std::optional<DWORD> RunReport(const std::wstring& target) {
    Process report = folder_.Start(L"report \"" + target + L"\"");
    return report.WaitForExit(20000);
  }

  std::wstring Target() const { return folder_.File(L"objects.csv").wstring(); }
};

TEST_F(ReportTest, ListsEachObjectAndViewWithItsStatusAndEndsWithOneWhenSomethingIsSuspicious) {
  Register({Braced(kA), L"Suspicious, \"quoted\"", SampleHelperPath()});
  Register({Braced(kB), L"Known", SampleHelperPath()});
  Register({Braced(kC), L"Ignored", SampleHelperPath()}, KEY_WOW64_32KEY);
  Register({Braced(kD), L"Blocked", SampleHelperPath()});
  folder_.Write(L"CLSIDs.txt", "e2e0000b-0000-4000-8000-00000000000b\r\n");
  folder_.Write(L"ICLSIDs.txt", "E2E0000C-0000-4000-8000-00000000000C\r\n");
  folder_.Write(L"BCLSIDs.txt", "E2E0000D-0000-4000-8000-00000000000D\r\n");

  const std::optional<DWORD> launches = StoredDword(L"Ypos");
  ASSERT_TRUE(launches);
  EXPECT_EQ(RunReport(Target()), 1u);
  const std::optional<std::string> csv = folder_.Read(L"objects.csv");
  ASSERT_TRUE(csv);
  const VersionStrings version = ReadVersionStrings(SampleHelperPath());
  const std::wstring helper = SampleHelperPath();
  const std::string path(helper.begin(), helper.end());
  const std::string details = "," + Narrow(version.description) + "," +
                              Narrow(version.file_version) + "," + Narrow(version.product_name) +
                              "," + Narrow(version.publisher) + ",unsigned,," +
                              Narrow(SampleSha256(L"SampleHelper.dll")) + ",yes\r\n";
  EXPECT_EQ(
      *csv,
      "\xEF\xBB\xBF"
      "CLSID,View,Status,File name,BHO name,Description,File version,Product name,Publisher,"
      "signature,signer,sha256,claim_unbacked\r\n"
      "E2E0000A-0000-4000-8000-00000000000A,64-bit,suspicious," +
          path + ",\"Suspicious, \"\"quoted\"\"\"" + details +
          "E2E0000B-0000-4000-8000-00000000000B,64-bit,known," + path + ",Known" + details +
          "E2E0000D-0000-4000-8000-00000000000D,64-bit,blocked," + path + ",Blocked" + details +
          "E2E0000C-0000-4000-8000-00000000000C,32-bit,ignored," + path + ",Ignored" + details);
  // Nothing else changed: no setting, no launch counted, no list written.
  EXPECT_TRUE(SettingValueNames().empty());
  EXPECT_EQ(StoredDword(L"Ypos"), launches);
  EXPECT_EQ(folder_.Read(L"BCLSIDs.txt"), "E2E0000D-0000-4000-8000-00000000000D\r\n");
}

TEST_F(ReportTest, OnlyKnownObjectsEndWithZero) {
  Register({Braced(kB), L"Known", SampleHelperPath()});
  folder_.Write(L"CLSIDs.txt", "E2E0000B-0000-4000-8000-00000000000B\r\n");
  EXPECT_EQ(RunReport(Target()), 0u);
  EXPECT_NE(folder_.Read(L"objects.csv")->find(",known,"), std::string::npos);
}

TEST_F(ReportTest, AGuardingCopyIsLeftHiddenAndUntouched) {
  Register({Braced(kB), L"Known", SampleHelperPath()});
  folder_.Write(L"CLSIDs.txt", "E2E0000B-0000-4000-8000-00000000000B\r\n");
  SetSetting(L"StartMinimized", L"1");
  ASSERT_TRUE(StartProgram(L"nohint"));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(main_, ids::kLTimerState)) == L"is active"; }));
  ASSERT_FALSE(::IsWindowVisible(main_));

  EXPECT_EQ(RunReport(Target()), 0u);
  EXPECT_TRUE(folder_.Read(L"objects.csv").has_value());
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_FALSE(::IsWindowVisible(main_)) << "the report never wakes the running copy";
  EXPECT_TRUE(process_.running());
  EXPECT_EQ(TextOf(Control(main_, ids::kLTimerState)), L"is active");
}

TEST_F(ReportTest, ATargetThatCannotBeWrittenEndsWithTwoAndLeavesNoFile) {
  const std::wstring missing_folder = folder_.File(L"no such folder\\objects.csv").wstring();
  EXPECT_EQ(RunReport(missing_folder), 2u);
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / L"no such folder"));

  // A report that another program holds open keeps its old content whole.
  folder_.Write(L"objects.csv", "old report");
  HANDLE held = ::CreateFileW(Target().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunReport(Target()), 2u);
  ::CloseHandle(held);
  EXPECT_EQ(folder_.Read(L"objects.csv"), "old report");
  for (const std::wstring& name : folder_.FilesIn(L"")) {
    EXPECT_EQ(name.find(L".tmp"), std::wstring::npos) << "a temporary file stayed";
  }
}

TEST_F(ReportTest, AMissingDatabaseEndsWithTwo) {
  std::filesystem::remove(folder_.File(L"CLSIDs.txt"));
  EXPECT_EQ(RunReport(Target()), 2u);
  EXPECT_FALSE(folder_.Read(L"objects.csv"));
}

}  // namespace
}  // namespace qb::e2e
