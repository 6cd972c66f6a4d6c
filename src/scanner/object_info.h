#pragma once

#include <string_view>

#include "platform/file_evidence.h"
#include "scanner/details_view.h"
#include "scanner/object_details.h"
#include "toolkit/controls.h"
#include "toolkit/panel.h"

namespace qb::scanner {

// `GetInfo`: shows an object's details on the Results page for whichever of
// the three lists is on the page shown, and only then.
class ObjectInfo {
 public:
  struct Lists {
    toolkit::ListBox& scanner;
    toolkit::ListBox& ignored;
    toolkit::ListBox& blocked;
  };

  ObjectInfo(toolkit::Notebook& pages, toolkit::Notebook& tips, DetailsView& details, Lists lists,
             const DetailsSources& sources, platform::FileEvidence& evidence);

  // As the view that registers the object sees it; the evidence of its
  // file follows in the background.
  void GetInfo(std::u16string_view clsid_in_braces, platform::RegistryView view);

 private:
  bool SelectionIsShown() const;

  toolkit::Notebook& pages_;
  toolkit::Notebook& tips_;
  DetailsView& details_;
  Lists lists_;
  DetailsSources sources_;
  platform::FileEvidence& evidence_;
};

}  // namespace qb::scanner
