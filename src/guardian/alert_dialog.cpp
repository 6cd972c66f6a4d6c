#include "guardian/alert_dialog.h"

#include "resource_ids.h"
#include "scanner/evidence_check.h"
#include "scanner/object_details.h"
#include "scanner/removal_paths.h"
#include "toolkit/application.h"
#include "toolkit/dialog_options.h"
#include "ui/control_ids.h"
#include "ui/look.h"

namespace qb::guardian {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kGrey = RGB(96, 96, 96);
constexpr int kSystemErrorIcon = 32513;  // IDI_HAND

// The verdict's line under the headline: room for two lines of text.
constexpr int kVerdictHeight = 34;

// Fields from the top: file name, BHO name, description, file version,
// product name, publisher; each under its label.
constexpr int kFirstRow = 18;
constexpr int kRowStep = 43;

toolkit::DesignRect FieldRect(int row) { return {8, kFirstRow + row * kRowStep + 15, 337, 21}; }

toolkit::FormOptions AlertOptions(HWND owner) {
  // A dialog frame without close box or system menu.
  toolkit::FormOptions options =
      toolkit::DialogOptions(L"TfrmAlert", ": Alert! :", {370, 430 + kVerdictHeight}, owner, false);
  options.background = kWhite;
  return options;
}

}  // namespace

TfrmAlert::TfrmAlert(toolkit::Application& application, HWND owner,
                     const scanner::RegisteredObject& current_object,
                     const scanner::DetailsSources& sources, platform::FileEvidence& evidence)
    : Form(application, AlertOptions(owner)),
      Panel1(AsParent(), ids::kAlertPanel1, {0, 0, 370, 65}, kWhite),
      // One line, centred both ways, whatever font stands in for Times.
      lAlert(Panel1.AsParent(), ids::kAlertText, {0, 0, 370, 65}, "Suspicious object is detected!",
             SS_CENTER | SS_CENTERIMAGE, toolkit::FontSpec{L"Times New Roman", 18}),
      lVerdict(AsParent(), ids::kAlertVerdict, {8, 65, 354, kVerdictHeight}, {},
               SS_CENTER | SS_NOPREFIX),
      Results(AsParent(), ids::kAlertResults, {0, 65 + kVerdictHeight, 370, 287}, kWhite),
      GroupBox3(Results.AsParent(), ids::kAlertMoreInfo, {8, 0, 354, 283}, ": More info :"),
      Edit1(Results.AsParent(), ids::kAlertEdit1, FieldRect(0), ES_READONLY),
      Edit6(Results.AsParent(), ids::kAlertEdit6, FieldRect(1), ES_READONLY),
      Edit2(Results.AsParent(), ids::kAlertEdit2, FieldRect(2), ES_READONLY),
      Edit3(Results.AsParent(), ids::kAlertEdit3, FieldRect(3), ES_READONLY),
      Edit4(Results.AsParent(), ids::kAlertEdit4, FieldRect(4), ES_READONLY),
      Edit5(Results.AsParent(), ids::kAlertEdit5, FieldRect(5), ES_READONLY),
      Panel2(AsParent(), ids::kAlertPanel2, {0, 352 + kVerdictHeight, 370, 78}, kWhite),
      BitBtn2(Panel2.AsParent(), ids::kBitBtn2, {153, 18, 81, 41}, "Delete"),
      BitBtn1(Panel2.AsParent(), ids::kBitBtn1, {16, 18, 129, 41}, "Allow and ignore"),
      BitBtn3(Panel2.AsParent(), ids::kBitBtn3, {242, 18, 121, 41}, "Stop Guardian"),
      current_object_(current_object),
      sources_(sources),
      evidence_(evidence) {
  static constexpr const char* kCaptions[] = {
      "File name:", "BHO name:", "Description:", "File version:", "Product name:", "Puiblisher:"};
  for (int row = 0; row < 6; ++row) {
    labels_[row] = std::make_unique<toolkit::Label>(
        Results.AsParent(), ids::kAlertLabels + row,
        toolkit::DesignRect{16, kFirstRow + row * kRowStep, 200, 14}, kCaptions[row]);
    labels_[row]->SetColors(kWhite, kRed);
  }
  lAlert.SetColors(kWhite, kRed);
  GroupBox3.SetColors(kWhite, kRed);
  for (toolkit::Edit* field : {&Edit1, &Edit6, &Edit2, &Edit3, &Edit4, &Edit5}) {
    field->SetColors(ui::kInfoBackground);
    // Tab goes from the band straight to the buttons.
    ::SetWindowLongW(field->hwnd(), GWL_STYLE,
                     ::GetWindowLongW(field->hwnd(), GWL_STYLE) & ~WS_TABSTOP);
  }
  SetPicture(BitBtn1, IDI_TRAY_ON, 0);
  SetPicture(BitBtn2, 0, kSystemErrorIcon);
  SetPicture(BitBtn3, IDI_TRAY_OFF, 0);
  BitBtn1.on_click = [this] { Answer(5); };
  BitBtn2.on_click = [this] { Answer(7); };
  BitBtn3.on_click = [this] { Answer(3); };
  // The band takes the focus, so no button has it and Enter presses none.
  SetInitialFocus(&Panel1);
  CenterOnScreen();
}

void TfrmAlert::SetPicture(toolkit::Button& button, int own_icon, int system_icon) {
  const int size = Scale(16);
  HINSTANCE instance = own_icon ? application().instance() : nullptr;
  const wchar_t* name = own_icon ? MAKEINTRESOURCEW(own_icon) : MAKEINTRESOURCEW(system_icon);
  win32::UniqueIcon icon(static_cast<HICON>(
      ::LoadImageW(instance, name, IMAGE_ICON, size, size, own_icon ? 0 : LR_SHARED)));
  if (!icon) return;
  ::SendMessageW(button.hwnd(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
  // A shared system icon belongs to the system.
  if (own_icon) {
    pictures_.push_back(std::move(icon));
  } else {
    (void)icon.release();
  }
}

void TfrmAlert::OnShow() { FormShow(); }

void TfrmAlert::Answer(int result) {
  // The verdict no longer matters to anyone.
  checks_.Cancel();
  SetModalResult(result);
}

void TfrmAlert::ShowVerdict(const std::string& text, COLORREF color) {
  lVerdict.SetColors(kWhite, color);
  lVerdict.SetText(text);
}

void TfrmAlert::FormShow() {
  checks_.Cancel();
  for (toolkit::Edit* field : {&Edit1, &Edit6, &Edit2, &Edit3, &Edit4, &Edit5}) field->SetText("");
  ShowVerdict("", kGrey);
  const scanner::DetailsLookup lookup = scanner::ReadObjectDetails(
      sources_, scanner::InBraces(current_object_.clsid), current_object_.view());
  const scanner::ObjectDetails& details = lookup.details;
  Edit6.SetText(details.bho_name);
  if (lookup.no_info) {
    Edit1.SetText(scanner::kNoInfoText);
    return;
  }
  Edit1.SetText(details.file_name);
  if (lookup.translation != scanner::kNoTranslation) {
    Edit2.SetText(details.description);
    Edit3.SetText(details.file_version);
    Edit4.SetText(details.product_name);
    Edit5.SetText(details.publisher);
  }
  if (lookup.loaded_file.empty()) {
    ShowVerdict(scanner::kNotCheckedText, kGrey);
    return;
  }
  ShowVerdict(scanner::kCheckingText, kGrey);
  scanner::CheckEvidenceInBackground(
      checks_, evidence_, lookup, [this](const scanner::Evidence& evidence) {
        ShowVerdict(scanner::VerdictText(evidence),
                    scanner::IsTrustworthy(evidence) ? kGreen : kRed);
      });
}

}  // namespace qb::guardian
