#include "app/about_box.h"

#include "platform/win32/device_context.h"
#include "platform/win32/shell.h"
#include "product/maker.h"
#include "product/version.h"
#include "resource_ids.h"
#include "toolkit/dialog_options.h"
#include "toolkit/fit_text.h"
#include "ui/control_ids.h"

namespace qb::app {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr char kVersionCaption[] = "Quellbright v" QB_VERSION_TEXT;

toolkit::FontSpec TitleFont() { return {L"MS Sans Serif", 12, true}; }
toolkit::FontSpec TextFont() { return {L"MS Sans Serif", 10}; }
toolkit::FontSpec LinkFont(bool underline) { return {L"MS Sans Serif", 10, false, underline}; }

}  // namespace

LRESULT RaisedPanel::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    const win32::PaintScope paint(hwnd());
    RECT edge;
    ::GetClientRect(hwnd(), &edge);
    ::DrawEdge(paint.dc(), &edge, BDR_RAISEDINNER, BF_RECT);
    return 0;
  }
  return Panel::OnMessage(message, wparam, lparam);
}

TfrmAbout::TfrmAbout(toolkit::Application& application, HWND owner)
    : Form(application, toolkit::DialogOptions(L"TfrmAbout", {}, {362, 165}, owner)),
      Panel1(AsParent(), ids::kAboutPanel1, {0, 0, 362, 121}),
      Image1(Panel1.AsParent(), ids::kAboutImage1, {16, 16, 33, 33}, {}, SS_ICON | SS_CENTERIMAGE),
      Label2(Panel1.AsParent(), ids::kAboutLabel2,
             toolkit::FitText(*this, 80, 8, kVersionCaption, TitleFont()), {}, 0, TitleFont()),
      Label1(Panel1.AsParent(), ids::kAboutLabel1,
             toolkit::FitText(*this, 112, 32, "For Internet Explorer v6.0", TitleFont()),
             "For Internet Explorer v6.0", 0, TitleFont()),
      Label7(Panel1.AsParent(), ids::kAboutLabel7,
             toolkit::FitText(*this, 77, 64, "Home page:", TextFont()), "Home page:", 0,
             TextFont()),
      Label5(Panel1.AsParent(), ids::kAboutLabel5,
             toolkit::FitText(*this, 155, 64, product::kMakerSite, LinkFont(true)),
             product::kMakerSite, LinkFont(false)),
      Label6(Panel1.AsParent(), ids::kAboutLabel6,
             toolkit::FitText(*this, 111, 87, "E-mail:", TextFont()), "E-mail:", 0, TextFont()),
      Label3(Panel1.AsParent(), ids::kAboutLabel3,
             toolkit::FitText(*this, 155, 87, product::kMakerEmail, LinkFont(false)),
             product::kMakerEmail, LinkFont(false)),
      Button1(AsParent(), ids::kAboutButton1, {152, 130, 75, 25}, "Close", BS_DEFPUSHBUTTON) {
  const int icon_size = Scale(32);
  auto* icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(IDI_QUELLBRIGHT), IMAGE_ICON,
                                               icon_size, icon_size, LR_SHARED));
  ::SendMessageW(Image1.hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  Label5.SetColors(std::nullopt, kLinkColor);
  Label3.SetColors(std::nullopt, kLinkColor);
  Label5.on_mouse_move = [this] { Label5MouseMove(); };
  Label5.on_mouse_leave = [this] { Label5MouseLeave(); };
  Label5.on_click = [this] { Label5Click(); };
  Label3.on_click = [this] { Label3Click(); };
  Button1.on_click = [this] { Button1Click(); };
  SetDefaultButton(ids::kAboutButton1);
  SetInitialFocus(&Button1);
  FormCreate();
}

void TfrmAbout::FormCreate() {
  Label3.SetHandCursor(true);
  Label5.SetHandCursor(true);
  Label2.SetText(kVersionCaption);
  SetCaption(": About Quellbright :");
}

// Enter presses the default button by itself; Escape arrives here.
void TfrmAbout::OnDialogCommand(int id) {
  if (id == IDCANCEL) Button1Click();
}

void TfrmAbout::Label5MouseMove() {
  if (label5Underlined_) return;  // a new font on every move would flicker
  label5Underlined_ = true;
  Label5.SetFont(LinkFont(true));
}

void TfrmAbout::Label5MouseLeave() {
  label5Underlined_ = false;
  Label5.SetFont(LinkFont(false));
}

void TfrmAbout::Label5Click() {
  win32::OpenWithShell(::GetWindow(hwnd(), GW_OWNER), std::string_view(product::kMakerSite),
                       SW_HIDE);
}

void TfrmAbout::Label3Click() {
  win32::OpenWithShell(::GetWindow(hwnd(), GW_OWNER),
                       std::string_view("mailto:" + std::string(product::kMakerEmail)), SW_HIDE);
}

}  // namespace qb::app
