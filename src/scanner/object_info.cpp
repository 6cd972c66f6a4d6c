#include "scanner/object_info.h"

#include "scanner/page_names.h"

namespace qb::scanner {

ObjectInfo::ObjectInfo(toolkit::Notebook& pages, toolkit::Notebook& tips, DetailsView& details,
                       const DetailsSources& sources, platform::FileEvidence& evidence)
    : pages_(pages), tips_(tips), details_(details), sources_(sources), evidence_(evidence) {}

void ObjectInfo::GetInfo(std::string_view page, const toolkit::ListBox& list,
                         std::u16string_view clsid_in_braces, platform::RegistryView view) {
  if (pages_.page() != page || list.CurrentIndex() < 0) return;
  tips_.SetPage(kResultsTipsPage);
  details_.Clear();
  details_.Show(ReadObjectDetails(sources_, clsid_in_braces, view), evidence_);
}

}  // namespace qb::scanner
