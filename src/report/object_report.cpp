#include "report/object_report.h"

#include "platform/utf.h"
#include "report/csv.h"
#include "scanner/helper_objects.h"
#include "scanner/object_details.h"
#include "scanner/removal_paths.h"

namespace qb::report {
namespace {

const char* StatusOf(const scanner::ListMembership& lists, std::u16string_view clsid) {
  if (lists.Known(clsid)) return "known";
  if (lists.Ignored(clsid)) return "ignored";
  if (lists.Blocked(clsid)) return "blocked";
  return "suspicious";
}

}  // namespace

ObjectReport BuildObjectReport(const scanner::DetailsSources& sources,
                               const lists::ClsidLists& lists,
                               const platform::CodePage& code_page) {
  platform::RegistryBackend& registry = sources.registry;
  ObjectReport report;
  report.csv = std::string("\xEF\xBB\xBF") + kHeader + "\r\n";
  const scanner::ListMembership membership{lists, code_page};
  for (platform::RegistryView view : registry.Views()) {
    for (const std::u16string& name : scanner::RegisteredObjectNames(registry, view)) {
      const std::u16string clsid = scanner::ClsidFromKeyName(name);
      const char* status = StatusOf(membership, clsid);
      if (std::string_view(status) == "suspicious") ++report.suspicious;
      std::vector<std::string> fields = {platform::Utf16ToUtf8(clsid), platform::ViewName(view),
                                         status};
      try {
        const scanner::DetailsLookup lookup =
            scanner::ReadObjectDetails(sources, scanner::InBraces(clsid), view);
        const scanner::ObjectDetails& details = lookup.details;
        fields.insert(fields.end(), {lookup.no_info ? scanner::kNoInfoText : details.file_name,
                                     details.bho_name, details.description, details.file_version,
                                     details.product_name, details.publisher});
      } catch (const std::exception& error) {
        // One object whose registration cannot be read must not cost the
        // report: its line says why in place of the file name.
        fields.push_back(error.what());
      }
      fields.resize(9);
      report.csv += CsvLine(fields);
    }
  }
  return report;
}

}  // namespace qb::report
