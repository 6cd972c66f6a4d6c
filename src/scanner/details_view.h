#pragma once

#include <array>
#include <memory>

#include "platform/file_evidence.h"
#include "scanner/evidence.h"
#include "scanner/object_details.h"
#include "toolkit/background_work.h"
#include "toolkit/controls.h"
#include "toolkit/panel.h"
#include "ui/main_actions.h"

namespace qb::scanner {

// The Results tips page: the six fields of an object's details, the two of
// the evidence of its file, and the two buttons that act on the selected
// object.
class DetailsView {
 public:
  DetailsView(toolkit::Panel& page, ui::MainActions& actions);

  // Empties the fields, and drops a check of the evidence under way.
  void Clear();
  // Fills the fields from a lookup: the BHO name always, the file name or the
  // no-info text, and the four version fields together when there is a
  // translation. The file's evidence shows "Checking..." while it is
  // examined in the background, then its verdict and hash; a Clear or a
  // Show in between drops it.
  void Show(const DetailsLookup& lookup, platform::FileEvidence& files);

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

 private:
  void ShowEvidence(const Evidence& evidence);

  std::array<std::unique_ptr<toolkit::Label>, 8> labels_;
  toolkit::BackgroundWork checks_;
};

// What the evidence fields show while the file is examined.
inline constexpr char kCheckingText[] = "Checking...";

}  // namespace qb::scanner
