#include "scanner/details_view.h"

#include "ui/look.h"

namespace qb::scanner {
namespace {

// Fields from the top: file name, BHO name, description, file version,
// product name, publisher.
constexpr int kFirstRow = 26;
constexpr int kRowStep = 42;

toolkit::DesignRect FieldRect(int row) { return {20, kFirstRow + row * kRowStep + 15, 329, 21}; }

}  // namespace

DetailsView::DetailsView(toolkit::Panel& page, ui::MainActions& actions)
    : gbMoreInfo(page.AsParent(), ids::kMoreInfoGroup, {8, 8, 353, 283}, ": More info :"),
      Edit1(page.AsParent(), ids::kEdit1, FieldRect(0), ES_READONLY),
      Edit2(page.AsParent(), ids::kEdit2, FieldRect(2), ES_READONLY),
      Edit3(page.AsParent(), ids::kEdit3, FieldRect(3), ES_READONLY),
      Edit4(page.AsParent(), ids::kEdit4, FieldRect(4), ES_READONLY),
      Edit5(page.AsParent(), ids::kEdit5, FieldRect(5), ES_READONLY),
      Edit6(page.AsParent(), ids::kEdit6, FieldRect(1), ES_READONLY),
      btRemoveObject(page.AsParent(), ids::kBtRemoveObject, {16, 302, 161, 33},
                     "Delete this &object"),
      btIgnoreObject(page.AsParent(), ids::kBtIgnoreObject, {192, 302, 161, 33}, {}) {
  static constexpr const char* kCaptions[] = {
      "File name:", "BHO name:", "Description:", "File version:", "Product name:", "Puiblisher:"};
  for (int row = 0; row < 6; ++row) {
    labels_[row] = std::make_unique<toolkit::Label>(
        page.AsParent(), ids::kDetailsLabels + row,
        toolkit::DesignRect{20, kFirstRow + row * kRowStep, 200, 14}, kCaptions[row]);
  }
  for (toolkit::Edit* field : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6}) {
    field->SetColors(ui::kInfoBackground);
  }
  btRemoveObject.BindAction(actions.aRemoveObject, toolkit::CaptionSource::kOwn);
  btIgnoreObject.BindAction(actions.aIgnoreObject);
}

void DetailsView::Clear() {
  for (toolkit::Edit* field : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6}) field->SetText("");
}

}  // namespace qb::scanner

namespace qb::scanner {

void DetailsView::Show(const DetailsLookup& lookup) {
  const ObjectDetails& details = lookup.details;
  Edit6.SetText(details.bho_name);
  if (lookup.no_info) {
    Edit1.SetText(kNoInfoText);
    return;
  }
  Edit1.SetText(details.file_name);
  if (lookup.translation == kNoTranslation) return;
  Edit2.SetText(details.description);
  Edit3.SetText(details.file_version);
  Edit4.SetText(details.product_name);
  Edit5.SetText(details.publisher);
}

}  // namespace qb::scanner
