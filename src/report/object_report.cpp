#include "report/object_report.h"

#include <map>
#include <memory>

#include "platform/utf.h"
#include "report/csv.h"
#include "scanner/evidence.h"
#include "scanner/helper_objects.h"
#include "scanner/object_details.h"
#include "scanner/removal_paths.h"

namespace qb::report {
namespace {

constexpr std::size_t kColumns = 13;

const char* StatusOf(const scanner::ListMembership& lists, std::u16string_view clsid) {
  if (lists.Known(clsid)) return "known";
  if (lists.Ignored(clsid)) return "ignored";
  if (lists.Blocked(clsid)) return "blocked";
  return "suspicious";
}

// A file's full path as a key: in ASCII upper case, as Windows names a file
// in any case.
std::string FileKey(std::string_view path) {
  std::string key(path);
  for (char& c : key) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  return key;
}

// The version resource of each file of one report, read once however many
// objects load it.
class VersionCache final : public platform::VersionInfoReader {
 public:
  explicit VersionCache(platform::VersionInfoReader& versions) : versions_(versions) {}

  std::unique_ptr<platform::VersionResource> Read(std::string_view path) override {
    auto it = resources_.find(FileKey(path));
    if (it == resources_.end()) {
      it = resources_.emplace(FileKey(path), versions_.Read(path)).first;
    }
    if (!it->second) return nullptr;
    return std::make_unique<Shared>(it->second);
  }

 private:
  class Shared final : public platform::VersionResource {
   public:
    explicit Shared(std::shared_ptr<platform::VersionResource> resource)
        : resource_(std::move(resource)) {}
    std::optional<platform::Translation> FirstTranslation() const override {
      return resource_->FirstTranslation();
    }
    std::optional<std::string> Query(std::string_view sub_block) const override {
      return resource_->Query(sub_block);
    }

   private:
    std::shared_ptr<platform::VersionResource> resource_;
  };

  platform::VersionInfoReader& versions_;
  std::map<std::string, std::shared_ptr<platform::VersionResource>> resources_;
};

// What the system found in each file of one report.
class FactsCache {
 public:
  explicit FactsCache(platform::FileEvidence& evidence) : evidence_(evidence) {}

  scanner::Evidence Examine(const scanner::DetailsLookup& lookup) {
    if (lookup.loaded_file.empty()) return {};
    const std::string key = FileKey(lookup.loaded_file);
    auto it = facts_.find(key);
    if (it == facts_.end()) {
      // Nothing stops a report's check, so it always comes back.
      constexpr std::uint32_t kOperationAborted = 995;
      it = facts_
               .emplace(key, evidence_.Examine(lookup.loaded_file)
                                 .value_or(platform::FileFacts{kOperationAborted}))
               .first;
    }
    return scanner::EvidenceFromFacts(it->second, lookup.details.publisher);
  }

 private:
  platform::FileEvidence& evidence_;
  std::map<std::string, platform::FileFacts> facts_;
};

}  // namespace

ObjectReport BuildObjectReport(const scanner::DetailsSources& sources,
                               platform::FileEvidence& evidence, const lists::ClsidLists& lists,
                               const platform::CodePage& code_page) {
  platform::RegistryBackend& registry = sources.registry;
  ObjectReport report;
  report.csv = std::string("\xEF\xBB\xBF") + kHeader + "\r\n";
  const scanner::ListMembership membership{lists, code_page};
  FactsCache files(evidence);
  VersionCache versions(sources.versions);
  const scanner::DetailsSources cached{sources.registry, sources.locator, versions};
  for (platform::RegistryView view : registry.Views()) {
    for (const std::u16string& name : scanner::RegisteredObjectNames(registry, view)) {
      const std::u16string clsid = scanner::ClsidFromKeyName(name);
      const char* status = StatusOf(membership, clsid);
      if (std::string_view(status) == "suspicious") ++report.suspicious;
      std::vector<std::string> fields = {platform::Utf16ToUtf8(clsid), platform::ViewName(view),
                                         status};
      try {
        const scanner::DetailsLookup lookup =
            scanner::ReadObjectDetails(cached, scanner::InBraces(clsid), view);
        const scanner::ObjectDetails& details = lookup.details;
        fields.insert(fields.end(), {lookup.no_info ? scanner::kNoInfoText : details.file_name,
                                     details.bho_name, details.description, details.file_version,
                                     details.product_name, details.publisher});
        const scanner::Evidence found = files.Examine(lookup);
        fields.insert(fields.end(), {std::string(scanner::VerdictWord(found.verdict)), found.signer,
                                     found.sha256, found.unbacked_claim.empty() ? "no" : "yes"});
      } catch (const std::exception& error) {
        // One object whose registration cannot be read must not cost the
        // report: its line says why in place of the file name.
        fields.push_back(error.what());
      }
      fields.resize(kColumns);
      report.csv += CsvLine(fields);
    }
  }
  return report;
}

}  // namespace qb::report
