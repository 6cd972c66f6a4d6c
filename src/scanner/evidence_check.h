#pragma once

#include <functional>

#include "platform/file_evidence.h"
#include "scanner/evidence.h"
#include "scanner/object_details.h"
#include "toolkit/background_work.h"

namespace qb::scanner {

// Examines the file that the details found on `work`'s thread: a file of
// gigabytes takes time to hash, and the window answers meanwhile. `show`
// gets the evidence on the window thread, unless `work` was given another
// job or cancelled first. Nothing starts for a lookup that found no file.
void CheckEvidenceInBackground(toolkit::BackgroundWork& work, platform::FileEvidence& files,
                               const DetailsLookup& lookup,
                               std::function<void(const Evidence&)> show);

// What the evidence fields show while the file is examined.
inline constexpr char kCheckingText[] = "Checking...";

}  // namespace qb::scanner
