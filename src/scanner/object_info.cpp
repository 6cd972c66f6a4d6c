#include "scanner/object_info.h"

#include "scanner/page_names.h"

namespace qb::scanner {

ObjectInfo::ObjectInfo(toolkit::Notebook& pages, toolkit::Notebook& tips, DetailsView& details,
                       Lists lists, const DetailsSources& sources, platform::FileEvidence& evidence)
    : pages_(pages),
      tips_(tips),
      details_(details),
      lists_(lists),
      sources_(sources),
      evidence_(evidence) {}

bool ObjectInfo::SelectionIsShown() const {
  const std::string& page = pages_.page();
  return (page == kScannerPage && lists_.scanner.CurrentIndex() >= 0) ||
         (page == kBlockedPage && lists_.blocked.CurrentIndex() >= 0) ||
         (page == kIgnoredPage && lists_.ignored.CurrentIndex() >= 0);
}

void ObjectInfo::GetInfo(std::u16string_view clsid_in_braces, platform::RegistryView view) {
  if (!SelectionIsShown()) return;
  tips_.SetPage(kResultsTipsPage);
  details_.Clear();
  details_.Show(ReadObjectDetails(sources_, clsid_in_braces, view), evidence_);
}

}  // namespace qb::scanner
