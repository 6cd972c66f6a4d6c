#pragma once

#include <string_view>

#include "platform/file_evidence.h"
#include "scanner/details_view.h"
#include "scanner/object_details.h"
#include "toolkit/controls.h"
#include "toolkit/panel.h"

namespace qb::scanner {

// `GetInfo`: shows an object's details on the Results page for the list of
// the page shown, and only then.
class ObjectInfo {
 public:
  ObjectInfo(toolkit::Notebook& pages, toolkit::Notebook& tips, DetailsView& details,
             const DetailsSources& sources, platform::FileEvidence& evidence);

  // For the selection of `list`, on the action page `page`; nothing unless
  // that page is shown and the list has a current item. As the view that
  // registers the object sees it; the evidence of its file follows in the
  // background.
  void GetInfo(std::string_view page, const toolkit::ListBox& list,
               std::u16string_view clsid_in_braces, platform::RegistryView view);

 private:
  toolkit::Notebook& pages_;
  toolkit::Notebook& tips_;
  DetailsView& details_;
  DetailsSources sources_;
  platform::FileEvidence& evidence_;
};

}  // namespace qb::scanner
