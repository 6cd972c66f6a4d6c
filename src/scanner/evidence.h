#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "platform/file_evidence.h"
#include "scanner/object_details.h"

// The evidence of the file an object loads that its author cannot forge:
// the verdict on its signature, its signer and its SHA-256, and whether its
// version resource names a publisher that the signature does not back.
namespace qb::scanner {

enum class SignatureVerdict {
  kNotChecked,  // no file to check: none named, or a network path or a device
  kVerified,
  kUnsigned,
  kMismatch,  // the file was changed after it was signed
  kUntrusted,
  kMissing,
  kUnreadable,
};

struct TrustReading {
  SignatureVerdict verdict = SignatureVerdict::kUntrusted;
  std::string reason;  // for kUntrusted and kUnreadable, in plain words
};

// What a trust check's result code says of the signature (0: verified).
TrustReading ReadTrustResult(std::int32_t code);

// Why a file could not be read, in plain words, from the system's error
// code and its own words for it (used when the code is not one of the
// usual ones).
std::string ReadErrorReason(std::uint32_t code, std::string_view system_text);

struct Evidence {
  SignatureVerdict verdict = SignatureVerdict::kNotChecked;
  // The signer's name, cleaned: only for kVerified and kUntrusted, where the
  // signature holds; never for a signature that does not match its file.
  std::string signer;
  std::string reason;
  // 64 lower-case hex digits; empty when the file was not read whole.
  std::string sha256;
  // The CompanyName, cleaned, when it is not empty and the file is not
  // verified-signed by a signer of that name; else empty.
  std::string unbacked_claim;
};

// The evidence from what the system found in the file, and the file's
// CompanyName.
Evidence EvidenceFromFacts(const platform::FileFacts& facts, std::string_view company);

// Examines the file that the details found (`lookup.loaded_file`), and
// nothing when there is none. nullopt only when `stop` was requested.
std::optional<Evidence> ExamineLoadedFile(platform::FileEvidence& files, const DetailsLookup& lookup,
                                          std::stop_token stop = {});

// What the details show in place of a verdict for a file that is never
// opened.
inline constexpr char kNotCheckedText[] =
    "Not checked: a network path or a device is never opened";

// The verdict as a person reads it: "Signed by <signer> (verified)", "Not
// signed", ..., followed by ". Claims to be from <CompanyName>, but is not
// signed by it" for an unbacked claim. Empty for kNotChecked.
std::string VerdictText(const Evidence& evidence);

// The verdict as the report's signature column holds it: "verified",
// "unsigned", "mismatch", "untrusted", "missing", "unreadable"; empty for
// kNotChecked.
std::string_view VerdictWord(SignatureVerdict verdict);

// Whether the verdict is one a person can rely on: verified, and no claim
// that the signature does not back.
bool IsTrustworthy(const Evidence& evidence);

}  // namespace qb::scanner
