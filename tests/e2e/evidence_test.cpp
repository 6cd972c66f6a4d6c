// The evidence of the file each object loads, for the four samples the
// build signs, leaves unsigned, changes after signing and signs under
// another publisher's name: in the details, the alert and the report.
#include <windows.h>
#include <winioctl.h>

#include <sstream>

#include "harness/program_test.h"
#include "harness/samples.h"
#include "harness/scanner_page.h"
#include "harness/test_objects.h"
#include "ui/control_ids.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kChecking[] = L"Checking...";

struct Sample {
  const wchar_t* clsid;
  const wchar_t* file;
  const wchar_t* verdict;
  bool green;
  // The report's last four columns.
  const char* columns;
};

// Registered in this order, which is the registry's and the guard's.
const Sample kSamples[] = {
    {kA, L"SignedHelper.dll", L"Signed by Tarnwick Sample Works Ltd (verified)", true,
     "verified,Tarnwick Sample Works Ltd,#,no"},
    {kB, L"SampleHelper.dll",
     L"Not signed. Claims to be from Tarnwick Sample Works, but is not signed by it", false,
     "unsigned,,#,yes"},
    {kC, L"TamperedHelper.dll",
     L"The signature does not match the file. Claims to be from Tarnwick Sample Works, but is not "
     L"signed by it",
     false, "mismatch,,#,yes"},
    {kD, L"ClaimingHelper.dll",
     L"Signed by Tarnwick Sample Works Ltd (verified). Claims to be from Tarnwick Test Publisher, "
     L"but is not signed by it",
     false, "verified,Tarnwick Sample Works Ltd,#,yes"},
};

void RegisterSamples() {
  for (const Sample& sample : kSamples) {
    Register({Braced(sample.clsid), sample.file, SamplePath(sample.file)});
  }
}

// A file of 8 GiB that takes no room on the disk: hashing it takes long.
bool MakeSparseFile(const std::filesystem::path& path, LONGLONG size) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = size;
  const bool made = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
  ::CloseHandle(file);
  return made;
}

class EvidenceTest : public ProgramTest {
 protected:
  std::wstring Field(int id) { return TextOf(Control(main_, id)); }
};

TEST_F(EvidenceTest, TheDetailsShowEachSamplesVerdictAndHashAndALongCheckNeverHoldsThemUp) {
  SetSetting(L"AutoStart", L"0");
  RegisterSamples();
  // Sorted after the samples; its 8 GiB take many seconds to hash.
  const std::filesystem::path huge = folder_.File(L"Huge.dll");
  ASSERT_TRUE(MakeSparseFile(huge, 8LL << 30));
  Register({L"{E2E0000E-0000-4000-8000-00000000000E}", L"Huge", huge.wstring()});
  ASSERT_TRUE(StartProgram());
  const std::vector<std::wstring> items = ScanFor(main_, 5);
  ASSERT_EQ(items.size(), 5u);
  HWND list = Control(main_, ids::kLbMain);

  ClickListItem(list, 4);
  ASSERT_TRUE(WaitUntil([&] { return Field(ids::kEdit6) == L"Huge"; }));
  EXPECT_EQ(Field(ids::kEdSignature), kChecking);
  EXPECT_EQ(Field(ids::kEdSha256), kChecking);
  // The window answers meanwhile, and the next selection drops the check
  // under way: its own verdict comes long before 8 GiB could be hashed.
  for (int index = 0; index < 4; ++index) {
    const Sample& sample = kSamples[index];
    ClickListItem(list, index);
    EXPECT_TRUE(WaitUntil([&] { return Field(ids::kEdSignature) == sample.verdict; }))
        << Field(ids::kEdSignature);
    EXPECT_EQ(Field(ids::kEdSha256), SampleSha256(sample.file)) << sample.file;
    EXPECT_EQ(Field(ids::kEdit1), SamplePath(sample.file));
  }
  // Nothing of the dropped check comes back over the last object.
  ASSERT_TRUE(FlushPostedMessages(list));
  EXPECT_EQ(Field(ids::kEdSignature), kSamples[3].verdict);
}

TEST_F(EvidenceTest, TheAlertShowsTheVerdictUnderTheHeadlineGreenOnlyWhenItBacksThePublisher) {
  RegisterSamples();
  ASSERT_TRUE(StartProgram(L"nohint"));
  for (const Sample& sample : kSamples) {
    HWND alert = WaitForShown(process_.id(), L"TfrmAlert", L": Alert! :");
    ASSERT_TRUE(alert);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(alert, ids::kAlertEdit1)) ==
                                       SamplePath(sample.file); }));
    HWND verdict = Control(alert, ids::kAlertVerdict);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(verdict) == sample.verdict; })) << TextOf(verdict);
    // What a person sees: the text's colour on the screen.
    ::SetForegroundWindow(alert);
    ColorCount colors;
    WaitUntil([&] {
      colors = CountColors(verdict);
      return (sample.green ? colors.green : colors.red) > 20;
    });
    EXPECT_GT(sample.green ? colors.green : colors.red, 20) << sample.file;
    EXPECT_EQ(sample.green ? colors.red : colors.green, 0) << sample.file;

    // The line lies between the headline and the six fields, and the
    // dialog grew to keep its buttons inside.
    const RECT line = WindowRect(verdict);
    EXPECT_GE(line.top, WindowRect(Control(alert, ids::kAlertPanel1)).bottom);
    EXPECT_LE(line.bottom, WindowRect(Control(alert, ids::kAlertMoreInfo)).top);
    RECT client;
    ::GetClientRect(alert, &client);
    ::MapWindowPoints(alert, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (int button : {ids::kBitBtn1, ids::kBitBtn2, ids::kBitBtn3}) {
      EXPECT_LE(WindowRect(Control(alert, button)).bottom, client.bottom) << button;
    }
    Click(Control(alert, ids::kBitBtn1));  // allow and ignore: the next one comes
    ASSERT_TRUE(WaitUntil([&] {
      return !::IsWindowVisible(alert) || TextOf(Control(alert, ids::kAlertEdit1)) !=
                                              SamplePath(sample.file);
    }));
  }
}

TEST_F(EvidenceTest, TheReportEndsEachLineWithTheVerdictSignerHashAndClaim) {
  RegisterSamples();
  Process report = folder_.Start(L"REPORT \"" + folder_.File(L"objects.csv").wstring() + L"\"");
  ASSERT_EQ(report.WaitForExit(30000), 1u);
  const std::optional<std::string> csv = folder_.Read(L"objects.csv");
  ASSERT_TRUE(csv);
  std::istringstream lines(*csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_NE(line.find(",Publisher,signature,signer,sha256,claim_unbacked\r"), std::string::npos);
  for (const Sample& sample : kSamples) {
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.substr(0, 36), Narrow(sample.clsid));
    std::string columns = sample.columns;
    columns.replace(columns.find('#'), 1, Narrow(SampleSha256(sample.file)));
    ASSERT_FALSE(SampleSha256(sample.file).empty());
    EXPECT_TRUE(line.ends_with("," + columns + "\r")) << line;
  }
}

}  // namespace
}  // namespace qb::e2e
