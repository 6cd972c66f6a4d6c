#include "scanner/details_view.h"

#include <array>

#include "scanner/evidence_check.h"
#include "scanner/page_names.h"
#include "toolkit/controls.h"
#include "ui/control_ids.h"
#include "ui/look.h"

namespace qb::scanner {
namespace {

// Fields from the top: file name, BHO name, description, file version,
// product name, publisher, signature, SHA-256; each under its label. The
// signature's field has three lines, for a verdict with a claim.
constexpr int kFirstRow = 22;
constexpr int kRowStep = 32;
constexpr int kLabelHeight = 13;
constexpr int kFieldHeight = 20;
constexpr int kSignatureRow = 6;
constexpr int kMoreLines = 26;

int RowTop(int row) { return kFirstRow + row * kRowStep + (row > kSignatureRow ? kMoreLines : 0); }

toolkit::DesignRect FieldRect(int row) {
  const int height = kFieldHeight + (row == kSignatureRow ? kMoreLines : 0);
  return {20, RowTop(row) + kLabelHeight, 329, height};
}

}  // namespace

struct DetailsView::Fields {
  Fields(toolkit::Panel& page, ui::MainActions& actions);
  void Clear();

  toolkit::GroupBox gbMoreInfo;
  toolkit::Edit Edit1;  // file name
  toolkit::Edit Edit2;  // description
  toolkit::Edit Edit3;  // file version
  toolkit::Edit Edit4;  // product name
  toolkit::Edit Edit5;  // publisher
  toolkit::Edit Edit6;  // BHO name
  toolkit::Edit edSignature;
  toolkit::Edit edSha256;
  toolkit::Button btRemoveObject;
  toolkit::Button btIgnoreObject;
  std::array<std::unique_ptr<toolkit::Label>, 8> labels;
};

DetailsView::Fields::Fields(toolkit::Panel& page, ui::MainActions& actions)
    : gbMoreInfo(page.AsParent(), ids::kMoreInfoGroup, {8, 8, 353, 303}, ": More info :"),
      Edit1(page.AsParent(), ids::kEdit1, FieldRect(0), ES_READONLY),
      Edit2(page.AsParent(), ids::kEdit2, FieldRect(2), ES_READONLY),
      Edit3(page.AsParent(), ids::kEdit3, FieldRect(3), ES_READONLY),
      Edit4(page.AsParent(), ids::kEdit4, FieldRect(4), ES_READONLY),
      Edit5(page.AsParent(), ids::kEdit5, FieldRect(5), ES_READONLY),
      Edit6(page.AsParent(), ids::kEdit6, FieldRect(1), ES_READONLY),
      edSignature(page.AsParent(), ids::kEdSignature, FieldRect(kSignatureRow),
                  ES_READONLY | ES_MULTILINE),
      edSha256(page.AsParent(), ids::kEdSha256, FieldRect(7), ES_READONLY),
      btRemoveObject(page.AsParent(), ids::kBtRemoveObject, {16, 318, 161, 33},
                     "Delete this &object"),
      btIgnoreObject(page.AsParent(), ids::kBtIgnoreObject, {192, 318, 161, 33}, {}) {
  static constexpr const char* kCaptions[] = {
      "File name:",    "BHO name:",   "Description:", "File version:",
      "Product name:", "Puiblisher:", "Signature:",   "SHA-256:"};
  for (int row = 0; row < 8; ++row) {
    labels[row] = std::make_unique<toolkit::Label>(
        page.AsParent(), ids::kDetailsLabels + row,
        toolkit::DesignRect{20, RowTop(row), 200, kLabelHeight}, kCaptions[row]);
  }
  for (toolkit::Edit* field :
       {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &edSignature, &edSha256}) {
    field->SetColors(ui::kInfoBackground);
  }
  // A multi-line edit keeps Tab for itself where there is no dialog to pass
  // it on to: the verdict is left out of the Tab order, read with the mouse.
  ::SetWindowLongW(edSignature.hwnd(), GWL_STYLE,
                   ::GetWindowLongW(edSignature.hwnd(), GWL_STYLE) & ~WS_TABSTOP);
  btRemoveObject.BindAction(actions.aRemoveObject, toolkit::CaptionSource::kOwn);
  btIgnoreObject.BindAction(actions.aIgnoreObject);
}

void DetailsView::Fields::Clear() {
  for (toolkit::Edit* field :
       {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &edSignature, &edSha256}) {
    field->SetText("");
  }
}

DetailsView::DetailsView(toolkit::Notebook& tips, ui::MainActions& actions) : actions_(actions) {
  tips.AddPage(kResultsTipsPage, ids::kTipsResults, [this](toolkit::Panel& page) {
    fields_ = std::make_unique<Fields>(page, actions_);
    SetButtonsVisible(buttons_visible_);
  });
}

DetailsView::~DetailsView() = default;

void DetailsView::Clear() {
  checks_.Cancel();
  if (fields_) fields_->Clear();
}

void DetailsView::SetButtonsVisible(bool visible) {
  buttons_visible_ = visible;
  if (!fields_) return;
  fields_->btRemoveObject.SetVisible(visible);
  fields_->btIgnoreObject.SetVisible(visible);
}

void DetailsView::Show(const DetailsLookup& lookup, platform::FileEvidence& files) {
  checks_.Cancel();
  if (!fields_) return;
  Fields& fields = *fields_;
  const ObjectDetails& details = lookup.details;
  fields.Edit6.SetText(details.bho_name);
  if (lookup.no_info) {
    fields.Edit1.SetText(kNoInfoText);
    return;
  }
  fields.Edit1.SetText(details.file_name);
  if (lookup.translation != kNoTranslation) {
    fields.Edit2.SetText(details.description);
    fields.Edit3.SetText(details.file_version);
    fields.Edit4.SetText(details.product_name);
    fields.Edit5.SetText(details.publisher);
  }
  if (lookup.loaded_file.empty()) {
    fields.edSignature.SetText(kNotCheckedText);
    return;
  }
  fields.edSignature.SetText(kCheckingText);
  fields.edSha256.SetText(kCheckingText);
  CheckEvidenceInBackground(checks_, files, lookup,
                            [this](const Evidence& evidence) { ShowEvidence(evidence); });
}

void DetailsView::ShowEvidence(const Evidence& evidence) {
  Fields& fields = *fields_;
  fields.edSignature.SetText(VerdictText(evidence));
  fields.edSha256.SetText(evidence.sha256);
}

}  // namespace qb::scanner
