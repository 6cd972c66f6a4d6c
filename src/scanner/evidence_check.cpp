#include "scanner/evidence_check.h"

#include <optional>
#include <utility>

namespace qb::scanner {

void CheckEvidenceInBackground(toolkit::BackgroundWork& work, platform::FileEvidence& files,
                               const DetailsLookup& lookup,
                               std::function<void(const Evidence&)> show) {
  if (lookup.loaded_file.empty()) return;
  // The lookup goes with the job: the window thread may show another object
  // meanwhile.
  work.Start(
      [&files, lookup, show = std::move(show)](std::stop_token stop) -> std::function<void()> {
        std::optional<Evidence> evidence = ExamineLoadedFile(files, lookup, stop);
        if (!evidence) return nullptr;
        return [show, evidence = std::move(*evidence)] { show(evidence); };
      });
}

}  // namespace qb::scanner
