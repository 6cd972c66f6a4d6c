#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "harness/program.h"
#include "harness/program_test.h"
#include "ui/control_ids.h"
#include "windows_image_decode.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kThankYou[] = L"Thank you for using Quellbright from Tarnwick Company";
constexpr wchar_t kLumbrellaPage[] = L"http://www.tarnwick.example/lumbrella/";

// Centred on the work area, to a pixel.
::testing::AssertionResult IsCentred(HWND window) {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const RECT rect = WindowRect(window);
  const long dx = (rect.left - area.left) - (area.right - rect.right);
  const long dy = (rect.top - area.top) - (area.bottom - rect.bottom);
  if (std::labs(dx) <= 1 && std::labs(dy) <= 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "off centre by " << dx / 2 << ", " << dy / 2;
}

class PromotionTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetSetting(L"AutoStart", L"0");
  }

  HWND StartShown() {
    StartProgram(L"NOHIDE");
    if (main_) WaitUntil([&] { return ::IsWindowVisible(main_); });
    return main_;
  }
  void Restart() {
    process_.Close();
    StartShown();
  }
  HWND Shown(const wchar_t* class_name) const { return ShownWindow(process_.id(), class_name); }
  bool BannerShown() const { return HasVisibleStyle(Control(main_, ids::kPanel1)); }
  // Until the promotion timer has stopped: the schedule is checked no more
  // in this run. Five ticks a second apart at most.
  bool WaitForTheLastPromotionTick() {
    return WaitUntil([&] { return PromotionTicksToCome(main_) == 0; }, 15000);
  }
};

TEST_F(PromotionTest, TheFirstStartRecordsTheScheduleAndHidesTheBanner) {
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, L"Version");
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, L"Xpos");
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, L"Ypos");
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, L"Count");
  const double before = NowAsDate();
  ASSERT_TRUE(StartShown());

  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKey, L"Version"), L"Quellbright");
  const auto first_run = StoredDate(L"Xpos");
  ASSERT_TRUE(first_run);
  EXPECT_NEAR(*first_run, before, 2.0 / (24 * 60)) << "two minutes";
  EXPECT_EQ(StoredDword(L"Ypos"), 0u);
  EXPECT_EQ(StoredDword(L"Count"), 0u);
  EXPECT_FALSE(BannerShown());
  const RECT rect = WindowRect(main_);
  EXPECT_EQ(rect.bottom - rect.top, 468);
  // Centred at the size it was cut to, not at the size it was made.
  EXPECT_TRUE(IsCentred(main_));
}

TEST_F(PromotionTest, TheBannerAppearsAtTheSixthStartWithTheWindowAtFullHeight) {
  SetLaunchState(3, 3);
  ASSERT_TRUE(StartShown());
  EXPECT_EQ(StoredDword(L"Ypos"), 4u);
  EXPECT_FALSE(BannerShown()) << "fifth start";

  Restart();
  ASSERT_TRUE(main_);
  EXPECT_EQ(StoredDword(L"Ypos"), 5u);
  EXPECT_TRUE(BannerShown()) << "sixth start";
  EXPECT_TRUE(HasVisibleStyle(Control(main_, ids::kPanel1, ids::kImage1)));
  EXPECT_TRUE(HasVisibleStyle(Control(main_, ids::kPanel1, ids::kRtfLabel1)));
  const SIZE client = ClientSize(main_);
  EXPECT_EQ(client.cx, 733);
  EXPECT_EQ(client.cy, 505);
  EXPECT_TRUE(IsCentred(main_));

  // The picture shows the banner's left part as Windows decodes the file,
  // where the text does not lie over it.
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const std::optional<std::string> file =
      ReadFileBytes(BuildFolder() / L"tests" / L"e2e" / L"banner.gif");
  ASSERT_TRUE(file);
  UINT width = 0;
  UINT height = 0;
  const std::vector<std::uint32_t> reference =
      test::DecodedByWindows({file->begin(), file->end()}, width, height);
  ::CoUninitialize();
  ASSERT_FALSE(reference.empty());
  const HWND picture = Control(main_, ids::kPanel1, ids::kImage1);
  const SIZE area = ClientSize(picture);
  const int left_of_text =
      WindowRect(Control(main_, ids::kPanel1, ids::kRtfLabel1)).left - WindowRect(picture).left;
  ASSERT_GT(left_of_text, 100);
  ASSERT_LE(static_cast<UINT>(area.cx), width);
  ASSERT_LE(static_cast<UINT>(area.cy), height);
  const auto differing = [&] {
    const std::vector<std::uint32_t> screen = ScreenPixels(picture);
    if (screen.size() != static_cast<std::size_t>(area.cx) * area.cy) return -1;
    int count = 0;
    for (int y = 0; y < area.cy; ++y) {
      for (int x = 0; x < left_of_text; ++x) {
        count += screen[y * area.cx + x] != reference[y * width + x];
      }
    }
    return count;
  };
  ::SetForegroundWindow(main_);
  // Until it has painted.
  EXPECT_TRUE(WaitUntil([&] { return differing() == 0; }, 5000)) << differing() << " pixels differ";
}

TEST_F(PromotionTest, ClicksOnTheBannerPictureAndTextOpenTheProductPage) {
  WebLinkRecorder links(folder_.File(L"opened.txt"));
  SetLaunchState(3, 5);
  ASSERT_TRUE(StartShown());
  ClickAt(Control(main_, ids::kImage1), 120, 40);
  EXPECT_TRUE(WaitUntil([&] { return links.Opened().size() == 1; }));
  // Beneath the text, and the text itself.
  ClickAt(Control(main_, ids::kImage1), 500, 40);
  ClickAt(Control(main_, ids::kRtfLabel1), 30, 30);
  EXPECT_TRUE(WaitUntil([&] { return links.Opened().size() == 3; }));
  EXPECT_EQ(links.Opened(),
            (std::vector<std::wstring>{kLumbrellaPage, kLumbrellaPage, kLumbrellaPage}));
}

TEST_F(PromotionTest, OnDayFifteenTheDemoWindowAppearsOnce) {
  SetLaunchState(15, 2);
  ASSERT_TRUE(StartShown());
  HWND demo = WaitForShown(process_.id(), L"TDemo");
  ASSERT_TRUE(demo);
  EXPECT_EQ(TextOf(demo), kThankYou);
  EXPECT_TRUE(IsCentred(demo));
  EXPECT_EQ(Setting(L"DemoShown"), L"1");
  EXPECT_FALSE(Shown(L"TLumbrella"));

  // Closed, it does not come back in this run...
  Click(Control(demo, ids::kDemoButton2));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(demo); }));
  EXPECT_EQ(PromotionTicksToCome(main_), 0);
  EXPECT_FALSE(Shown(L"TDemo"));
  // ... nor at another start on the same day.
  Restart();
  ASSERT_TRUE(WaitForTheLastPromotionTick());
  EXPECT_FALSE(Shown(L"TDemo"));
  EXPECT_EQ(Setting(L"DemoShown"), L"1");
}

TEST_F(PromotionTest, OnDayThirtyThePromotionWindowAppearsAndOnlyEscapeClosesIt) {
  WebLinkRecorder links(folder_.File(L"opened.txt"));
  SetLaunchState(30, 2);
  ASSERT_TRUE(StartShown());
  HWND promotion = WaitForShown(process_.id(), L"TLumbrella");
  ASSERT_TRUE(promotion);
  EXPECT_EQ(TextOf(promotion), kThankYou);
  const SIZE client = ClientSize(promotion);
  EXPECT_EQ(client.cx, 694);
  EXPECT_EQ(client.cy, 295);
  EXPECT_TRUE(IsCentred(promotion));
  EXPECT_EQ(Setting(L"DemoShown"), L"1");
  EXPECT_FALSE(Shown(L"TDemo"));

  HWND picture = Control(promotion, ids::kLumbrellaImage1);
  PressKey(picture, VK_RETURN);
  TypeCharacter(picture, L'x');
  PressKey(picture, 'Q');
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_TRUE(::IsWindowVisible(promotion));

  ClickAt(picture, 300, 150);
  EXPECT_TRUE(WaitUntil([&] { return links.Opened().size() == 1; }));
  EXPECT_EQ(links.Opened(), std::vector<std::wstring>{kLumbrellaPage});
  EXPECT_TRUE(::IsWindowVisible(promotion)) << "the window stays open";

  PressKey(picture, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(promotion); }));
  EXPECT_TRUE(process_.running());
}

// Each tick would meet the value again: the user hears of it once.
TEST_F(PromotionTest, ATickThatMeetsABadValueReportsItOnceAndTheProgramGoesOn) {
  SetLaunchState(15, 2);
  SetDword(HKEY_CURRENT_USER, kSettingsKey, L"DemoShown", 1);
  ASSERT_TRUE(StartShown());
  const auto box = WaitForMessageBox(process_.id(), kProgramCaption);
  ASSERT_TRUE(box);
  // No full stop: the quote sorts before it.
  EXPECT_EQ(box->text, L"Invalid data type for 'DemoShown'");
  // The ticks go on meanwhile, to the last.
  ASSERT_TRUE(WaitForTheLastPromotionTick());
  Answer(*box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box->window); }));
  ASSERT_TRUE(FlushPostedMessages(Control(main_, ids::kLbMain)));
  EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 0));
  EXPECT_FALSE(Shown(L"TDemo"));
  EXPECT_TRUE(process_.running());
  EXPECT_TRUE(::IsWindowVisible(main_));
}

TEST_F(PromotionTest, ABadFirstRunDateAtStartIsReportedOnceAndTheProgramGoesOn) {
  SetLaunchState(15, 2);
  SetString(HKEY_CURRENT_USER, kSettingsKey, L"Xpos", L"last week");
  process_ = folder_.Start(L"NOHIDE");
  EXPECT_EQ(AnswerMessageBox(process_.id(), kProgramCaption, IDOK),
            L"Invalid data type for 'Xpos'");
  main_ = WaitForMainWindow(process_);
  ASSERT_TRUE(main_);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main_); }));
  // The ticks meet the same value and say nothing more.
  ASSERT_TRUE(WaitForTheLastPromotionTick());
  EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 0));
  EXPECT_EQ(StoredDword(L"Ypos"), 2u) << "not counted";
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKey, L"Xpos"), L"last week");
}

TEST_F(PromotionTest, AFirstRunDateThatIsNoNumberStartsTheScheduleAfresh) {
  SetLaunchState(15, 7);
  const double not_a_number = std::numeric_limits<double>::quiet_NaN();
  StoredValue damaged{REG_BINARY, std::vector<std::uint8_t>(8)};
  std::memcpy(damaged.data.data(), &not_a_number, sizeof not_a_number);
  WriteValue(HKEY_CURRENT_USER, kSettingsKey, L"Xpos", damaged);
  const double before = NowAsDate();
  ASSERT_TRUE(StartShown());
  const auto first_run = StoredDate(L"Xpos");
  ASSERT_TRUE(first_run);
  EXPECT_NEAR(*first_run, before, 2.0 / (24 * 60));
  EXPECT_EQ(StoredDword(L"Ypos"), 0u);
  EXPECT_FALSE(BannerShown());
  ASSERT_TRUE(WaitForTheLastPromotionTick());
  EXPECT_FALSE(WaitForMessageBox(process_.id(), kProgramCaption, 0));
}

}  // namespace
}  // namespace qb::e2e
