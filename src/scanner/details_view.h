#pragma once

#include <array>
#include <memory>

#include "scanner/object_details.h"
#include "toolkit/controls.h"
#include "toolkit/panel.h"
#include "ui/main_actions.h"

namespace qb::scanner {

// The Results tips page: the six fields of an object's details and the two
// buttons that act on the selected object.
class DetailsView {
 public:
  DetailsView(toolkit::Panel& page, ui::MainActions& actions);

  // Empties the six fields.
  void Clear();
  // Fills the fields from a lookup: the BHO name always, the file name or the
  // no-info text, and the four version fields together when there is a
  // translation.
  void Show(const DetailsLookup& lookup);

  toolkit::GroupBox gbMoreInfo;
  toolkit::Edit Edit1;  // file name
  toolkit::Edit Edit2;  // description
  toolkit::Edit Edit3;  // file version
  toolkit::Edit Edit4;  // product name
  toolkit::Edit Edit5;  // publisher
  toolkit::Edit Edit6;  // BHO name
  toolkit::Button btRemoveObject;
  toolkit::Button btIgnoreObject;

 private:
  std::array<std::unique_ptr<toolkit::Label>, 6> labels_;
};

}  // namespace qb::scanner
