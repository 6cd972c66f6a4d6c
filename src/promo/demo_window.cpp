#include "promo/demo_window.h"

#include <algorithm>
#include <array>

#include "platform/error.h"
#include "platform/win32/shared_file.h"
#include "platform/win32/wide.h"
#include "platform/win32/wininet_probe.h"
#include "product/maker.h"
#include "promo/demo_dump_target.h"
#include "promo/index_files.h"
#include "promo/promotion_window.h"
#include "promo/web_link.h"
#include "resource_ids.h"
#include "toolkit/application.h"
#include "toolkit/busy_cursor.h"
#include "toolkit/dialog_options.h"
#include "toolkit/fit_text.h"
#include "ui/control_ids.h"

namespace qb::promo {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 255);

toolkit::FontSpec BoldFont(bool underline = false) {
  return {L"MS Sans Serif", 8, true, underline};
}
toolkit::FontSpec PaneFont() { return {L"Courier New", 8, false, false, ANSI_CHARSET}; }

constexpr char kLabel1Text[] = "This is a content of hidden files on your hard before";
constexpr char kLabel4Text[] =
    "Did you know that everything you do on the Internet is being recorded on your own "
    "computer, where anyone who uses it after you can read it?";
constexpr char kLabel5Text[] =
    "Internet Explorer keeps hidden files called index.dat that hold everything you have "
    "ever viewed: the addresses of the pages you visited, the pictures and files they showed "
    "you and the cookies they left behind. They keep it all even after you have cleared the "
    "history, the cookies and the temporary Internet files. You cannot delete or clear them, "
    "because they belong to Windows, which holds them open while it runs. Press \"View the "
    "demo\" to see what yours hold.";
constexpr char kLabel3Text[] =
    "Shredmoor erases the index.dat files and every other trace of your Internet use beyond "
    "recovery, to the US Department of Defense 5220.22-M and the NSA clearing and sanitizing "
    "standards.";

// The three labels of the sentence stand at their places unless the font
// is wider than designed: then each follows the one before it.
int After(const toolkit::Control& before, int designed_left) {
  const toolkit::DesignRect& rect = before.design_rect();
  return std::max(designed_left, rect.left + rect.width + 3);
}

toolkit::FormOptions DemoOptions(HWND owner) {
  toolkit::FormOptions options = toolkit::DialogOptions(L"TDemo", {}, {686, 471}, owner);
  options.key_preview = true;
  return options;
}

// `NotBusy` is false while it lives, however its scope ends.
class Busy {
 public:
  explicit Busy(bool& not_busy) : not_busy_(not_busy) { not_busy_ = false; }
  ~Busy() { not_busy_ = true; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  bool& not_busy_;
};

}  // namespace

TDemo::TDemo(toolkit::Application& application, HWND owner, platform::RegistryBackend& registry,
             platform::FileLocator& locator, const platform::CodePage& code_page)
    : Form(application, DemoOptions(owner)),
      Button1(AsParent(), ids::kDemoButton1, {136, 16, 140, 25}, "&View the demo",
              BS_DEFPUSHBUTTON),
      Button2(AsParent(), ids::kDemoButton2, {376, 16, 140, 25}, "E&xit the demo"),
      Label4(AsParent(), ids::kDemoLabel4, {8, 56, 665, 26}, kLabel4Text, 0, BoldFont()),
      Label5(AsParent(), ids::kDemoLabel5, {8, 84, 665, 85}, kLabel5Text),
      Label1(AsParent(), ids::kDemoLabel1, toolkit::FitText(*this, 8, 176, kLabel1Text, BoldFont()),
             kLabel1Text, 0, BoldFont()),
      Label2(AsParent(), ids::kDemoLabel2,
             toolkit::FitText(*this, After(Label1, 306), 176, "Shredmoor", BoldFont(true)),
             "Shredmoor", BoldFont()),
      Label7(AsParent(), ids::kDemoLabel7,
             toolkit::FitText(*this, After(Label2, 408), 176, "use.", BoldFont()), "use.", 0,
             BoldFont()),
      Label3(AsParent(), ids::kDemoLabel3, {8, 202, 665, 33}, kLabel3Text),
      Content(AsParent(), ids::kDemoContent, {8, 240, 673, 201}, "Content"),
      dHistory(AsParent(), ids::kDHistory, {8 + 54, 240 + 16, 150, 17}, "History index.dat file"),
      dCache(AsParent(), ids::kDCache, {8 + 275, 240 + 16, 150, 17}, "Cache index.dat file"),
      dCookies(AsParent(), ids::kDCookies, {8 + 476, 240 + 16, 150, 17}, "Cookies index.dat file"),
      Memo2(AsParent(), ids::kMemo2, {8 + 8, 240 + 38, 215, 155}, PaneFont(),
            ::GetSysColor(COLOR_BTNFACE)),
      Memo3(AsParent(), ids::kMemo3, {8 + 228, 240 + 38, 215, 155}, PaneFont(),
            ::GetSysColor(COLOR_BTNFACE)),
      Memo4(AsParent(), ids::kMemo4, {8 + 448, 240 + 38, 215, 155}, PaneFont(),
            ::GetSysColor(COLOR_BTNFACE)),
      Panel1(AsParent(), ids::kDemoPanel1, {0, 446, 686, 25}),
      Gauge1(Panel1.AsParent(), ids::kGauge1, {0, 1, 656, 23}),
      SpeedButton1(Panel1.AsParent(), ids::kSpeedButton1, {660, 0, 24, 24}, {},
                   BS_PUSHBUTTON | BS_ICON | BS_FLAT),
      IECache1(win32::LoadWinInet),
      registry_(registry),
      locator_(locator),
      code_page_(CodePageTableOf(code_page)) {
  // The design assigns the default filter set once more, which computes
  // its mask.
  IECache1.SetFilterOptions(DefaultFilterOptions());
  for (toolkit::CheckBox* box : {&dHistory, &dCache, &dCookies}) box->SetChecked(true);
  Label2.SetColors(std::nullopt, kLinkColor);
  Label2.SetHandCursor(true);
  Label2.on_click = [this] { Label2Click(); };
  Label2.on_mouse_move = [this] { Label2MouseMove(); };
  Label2.on_mouse_leave = [this] { Label2MouseLeave(); };
  const int icon_size = Scale(16);
  ::SendMessageW(
      SpeedButton1.hwnd(), BM_SETIMAGE, IMAGE_ICON,
      reinterpret_cast<LPARAM>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STOP),
                                            IMAGE_ICON, icon_size, icon_size, LR_SHARED)));
  Button1.on_click = [this] { Button1Click(); };
  Button2.on_click = [this] { Button2Click(); };
  SpeedButton1.on_click = [this] { SpeedButton1Click(); };
  SetDefaultButton(ids::kDemoButton1);
  SetInitialFocus(&Button1);
  FormCreate();
}

void TDemo::FormCreate() {
  NotBusy = true;
  Gauge1.SetProgress(0);
  SetCaption(kThankYouCaption);
}

void TDemo::OnShow() {
  FormCreate();
  CenterOnScreen();
}

TextPane* TDemo::CurrentMemo() {
  switch (CurrentPane) {
    case 1:
      return &Memo2;
    case 2:
      return &Memo3;
    case 3:
      return &Memo4;
    default:
      return nullptr;
  }
}

void TDemo::Button1Click() {
  Button2.SetEnabled(false);
  Button1.SetEnabled(false);
  struct Reenable {
    TDemo& demo;
    ~Reenable() {
      demo.Button2.SetEnabled(true);
      demo.Button1.SetEnabled(true);
      // The disabled button lost the focus; the keys need a home again.
      if (!::GetFocus()) demo.Button1.SetFocus();
    }
  } reenable{*this};

  const std::array<toolkit::CheckBox*, 3> boxes{&dHistory, &dCache, &dCookies};
  for (std::uint8_t pane = 1; pane <= boxes.size(); ++pane) {
    // Read now: a box unticked during an earlier file skips its own.
    if (!boxes[pane - 1]->IsChecked()) continue;
    CurrentPane = pane;
    CurrentMemo()->Clear();
    StopRequested = false;
    ShowIndexFile();
    if (application().terminated()) break;
  }
}

void TDemo::ShowIndexFile() {
  const IndexFile* file = IndexFileOf(CurrentPane);
  if (!file) return;
  const std::optional<std::string> path = LocateIndexFile(registry_, *file);
  if (!path) {
    ShowMessage(RegistryErrorMessage(file->value_name));
    return;
  }
  // A folder value that any program of the user can write must not make the
  // demo reach a server (which would be offered the user's credentials) or
  // open a device: refused before anything touches the path, as a file
  // that cannot be opened.
  const std::optional<std::string> local =
      platform::LocateLocalFile(locator_, *path, false, platform::RegistryView::k64);
  if (!local) throw Error("Cannot open file " + *path);
  const std::filesystem::path where(win32::Widen(*local));
  if (!win32::IsFile(where)) {
    ShowMessage(FileErrorMessage(file->value_name));
    return;
  }
  // Read as the dump goes: a file of any size costs a piece of memory, and
  // a stop is heard from the start.
  win32::SharedFileReader reader(where);
  const toolkit::BusyCursor busy(application());
  const Busy busy_flag(NotBusy);
  DemoDumpTarget target(CurrentMemo(), Gauge1, application(), StopRequested);
  DumpAsText(reader.size(), reader, code_page_, target, StopRequested);
}

void TDemo::ShowMessage(const std::string& text) {
  ::MessageBoxW(hwnd(), win32::Widen(text).c_str(), win32::Widen(application().title()).c_str(),
                MB_OK);
}

void TDemo::Button2Click() {
  for (TextPane* memo : {&Memo2, &Memo3, &Memo4}) memo->Clear();
  Close();
}

bool TDemo::PreviewKeyDown(WPARAM virtual_key) { return Memo1KeyDown(virtual_key); }

bool TDemo::Memo1KeyDown(WPARAM virtual_key) {
  if (virtual_key == VK_ESCAPE && Button2.IsEnabled()) {
    Button2Click();
    return true;
  }
  SpeedButton1Click();
  // While a file is read every key is a stop, and only that.
  return virtual_key == VK_ESCAPE || !NotBusy;
}

void TDemo::Label2Click() { OpenWebLink(hwnd(), product::kShredmoorPage); }

void TDemo::Label2MouseMove() {
  if (label2Underlined_) return;  // a new font on every move would flicker
  label2Underlined_ = true;
  Label2.SetFont(BoldFont(true));
}

void TDemo::Label2MouseLeave() {
  label2Underlined_ = false;
  Label2.SetFont(BoldFont());
}

}  // namespace qb::promo
