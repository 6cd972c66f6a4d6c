#pragma once

#include <memory>

#include "platform/file_evidence.h"
#include "scanner/evidence.h"
#include "scanner/object_details.h"
#include "toolkit/background_work.h"
#include "toolkit/panel.h"
#include "ui/main_actions.h"

namespace qb::scanner {

// The Results tips page: the six fields of an object's details, the two of
// the evidence of its file, and the two buttons that act on the selected
// object. Its controls are made when the page is first selected: most
// sessions never show an object's details.
class DetailsView {
 public:
  // Adds the page to `tips`.
  DetailsView(toolkit::Notebook& tips, ui::MainActions& actions);
  ~DetailsView();
  DetailsView(const DetailsView&) = delete;
  DetailsView& operator=(const DetailsView&) = delete;

  // Empties the fields, and drops a check of the evidence under way.
  void Clear();
  // Fills the fields from a lookup, once the page has been selected: the BHO
  // name always, the file name or the no-info text, and the four version
  // fields together when there is a translation. The file's evidence shows
  // "Checking..." while it is examined in the background, then its verdict
  // and hash; a Clear or a Show in between drops it.
  void Show(const DetailsLookup& lookup, platform::FileEvidence& files);
  // Whether the two buttons show, which only some sections offer.
  void SetButtonsVisible(bool visible);

 private:
  struct Fields;
  void ShowEvidence(const Evidence& evidence);

  ui::MainActions& actions_;
  std::unique_ptr<Fields> fields_;
  bool buttons_visible_ = true;
  toolkit::BackgroundWork checks_;
};

}  // namespace qb::scanner
