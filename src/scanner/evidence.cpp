#include "scanner/evidence.h"

#include <cstdio>

#include "scanner/publisher_name.h"

namespace qb::scanner {
namespace {

// The trust check's result codes (winerror.h), as numbers: this file is
// portable.
enum : std::uint32_t {
  kBadSignature = 0x80090006,        // NTE_BAD_SIGNATURE
  kHashValue = 0x80091007,           // CRYPT_E_HASH_VALUE
  kBadEncode = 0x80092002,           // CRYPT_E_BAD_ENCODE
  kFileError = 0x80092003,           // CRYPT_E_FILE_ERROR
  kBadMessage = 0x8009200D,          // CRYPT_E_BAD_MSG
  kCryptRevoked = 0x80092010,        // CRYPT_E_REVOKED
  kNoRevocationCheck = 0x80092012,   // CRYPT_E_NO_REVOCATION_CHECK
  kRevocationOffline = 0x80092013,   // CRYPT_E_REVOCATION_OFFLINE
  kNoSignerCertificate = 0x80096002, // TRUST_E_NO_SIGNER_CERT
  kCounterSigner = 0x80096003,       // TRUST_E_COUNTER_SIGNER
  kCertSignature = 0x80096004,       // TRUST_E_CERT_SIGNATURE
  kTimeStamp = 0x80096005,           // TRUST_E_TIME_STAMP
  kBadDigest = 0x80096010,           // TRUST_E_BAD_DIGEST
  kSubjectFormUnknown = 0x800B0003,  // TRUST_E_SUBJECT_FORM_UNKNOWN
  kSubjectNotTrusted = 0x800B0004,   // TRUST_E_SUBJECT_NOT_TRUSTED
  kNoSignature = 0x800B0100,         // TRUST_E_NOSIGNATURE
  kExpired = 0x800B0101,             // CERT_E_EXPIRED
  kPurpose = 0x800B0106,             // CERT_E_PURPOSE
  kUntrustedRoot = 0x800B0109,       // CERT_E_UNTRUSTEDROOT
  kChaining = 0x800B010A,            // CERT_E_CHAINING
  kRevoked = 0x800B010C,             // CERT_E_REVOKED
  kUntrustedTestRoot = 0x800B010D,   // CERT_E_UNTRUSTEDTESTROOT
  kRevocationFailure = 0x800B010E,   // CERT_E_REVOCATION_FAILURE
  kWrongUsage = 0x800B0110,          // CERT_E_WRONG_USAGE
  kExplicitDistrust = 0x800B0111,    // TRUST_E_EXPLICIT_DISTRUST
  kUntrustedCa = 0x800B0112,         // CERT_E_UNTRUSTEDCA
};

// Win32 error codes, and the facility that carries them in a result code.
enum : std::uint32_t {
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorAccessDenied = 5,
  kErrorNotReady = 21,
  kErrorCrc = 23,
  kErrorSharingViolation = 32,
  kErrorLockViolation = 33,
  kErrorInvalidName = 123,
  kErrorBadFileType = 222,
  kErrorIoDevice = 1117,
  kWin32Facility = 0x80070000,
};

// Errors of reading the file, rather than of what it holds.
bool IsReadError(std::uint32_t error) {
  switch (error) {
    case kErrorFileNotFound:
    case kErrorPathNotFound:
    case kErrorAccessDenied:
    case kErrorNotReady:
    case kErrorCrc:
    case kErrorSharingViolation:
    case kErrorLockViolation:
    case kErrorIoDevice:
      return true;
    default:
      return false;
  }
}

std::string Hex(std::uint32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", code);
  return text;
}

TrustReading Untrusted(std::string reason) {
  return {SignatureVerdict::kUntrusted, std::move(reason)};
}

}  // namespace

TrustReading ReadTrustResult(std::int32_t result) {
  const auto code = static_cast<std::uint32_t>(result);
  switch (code) {
    case 0:
      return {SignatureVerdict::kVerified, {}};
    case kNoSignature:
    case kSubjectFormUnknown:  // no format Windows can sign, so no signature
      return {SignatureVerdict::kUnsigned, {}};
    case kBadDigest:
    case kHashValue:
    case kBadSignature:
      return {SignatureVerdict::kMismatch, {}};
    case kUntrustedRoot:
      return Untrusted("its certificates lead to a root that this computer does not trust");
    case kChaining:
    case kUntrustedCa:
      return Untrusted("its certificates do not lead to a trusted root");
    case kUntrustedTestRoot:
      return Untrusted("it is signed under a test root");
    case kExpired:
      return Untrusted("its certificate has expired, and the signature has no timestamp");
    case kRevoked:
    case kCryptRevoked:
      return Untrusted("its certificate has been revoked");
    case kExplicitDistrust:
      return Untrusted("its certificate is marked as distrusted on this computer");
    case kSubjectNotTrusted:
      return Untrusted("a policy of this computer does not trust it");
    case kPurpose:
    case kWrongUsage:
      return Untrusted("its certificate is not meant for signing programs");
    case kCertSignature:
      return Untrusted("a certificate of its signer has a bad signature");
    case kNoSignerCertificate:
      return Untrusted("the signer's certificate is missing");
    case kTimeStamp:
    case kCounterSigner:
      return Untrusted("its timestamp cannot be verified");
    case kNoRevocationCheck:
    case kRevocationOffline:
    case kRevocationFailure:
      return Untrusted("whether its certificate was revoked cannot be told without the network");
    case kBadEncode:
    case kBadMessage:
      return Untrusted("its signature is damaged");
    case kFileError:
      return {SignatureVerdict::kUnreadable, "Windows could not read it to check its signature"};
    default:
      break;
  }
  if ((code & 0xFFFFFF00u) == 0x80093100u) return Untrusted("its signature is damaged");
  // A Win32 error, plain or as a result code: the check could not read the
  // file, or the signature table leads it astray (a table cut short gives
  // ERROR_INSUFFICIENT_BUFFER).
  if (code < 0x10000u || (code & 0xFFFF0000u) == kWin32Facility) {
    const std::uint32_t error = code & 0xFFFFu;
    if (IsReadError(error)) return {SignatureVerdict::kUnreadable, ReadErrorReason(error, {})};
    return Untrusted("its signature is damaged (Windows reports the error " +
                     std::to_string(error) + ")");
  }
  return Untrusted("Windows reports the error " + Hex(code));
}

std::string ReadErrorReason(std::uint32_t code, std::string_view system_text) {
  switch (code) {
    case kErrorAccessDenied:
      return "access is denied";
    case kErrorSharingViolation:
    case kErrorLockViolation:
      return "another program holds it locked";
    case kErrorBadFileType:
      return "it is not a file on a disk";
    case kErrorInvalidName:
      return "its name is not valid";
    default:
      break;
  }
  const std::string words = CleanShownName(system_text);
  if (!words.empty()) return words;
  return "Windows reports the error " + std::to_string(code);
}

Evidence EvidenceFromFacts(const platform::FileFacts& facts, std::string_view company) {
  Evidence evidence;
  if (facts.read_error == kErrorFileNotFound || facts.read_error == kErrorPathNotFound) {
    evidence.verdict = SignatureVerdict::kMissing;
  } else if (facts.read_error != 0) {
    evidence.verdict = SignatureVerdict::kUnreadable;
    evidence.reason = ReadErrorReason(facts.read_error, facts.read_error_text);
  } else {
    TrustReading reading = ReadTrustResult(facts.trust_result);
    evidence.verdict = reading.verdict;
    evidence.reason = std::move(reading.reason);
    evidence.sha256 = facts.sha256;
    if (evidence.verdict == SignatureVerdict::kVerified ||
        evidence.verdict == SignatureVerdict::kUntrusted) {
      evidence.signer = CleanShownName(facts.signer);
    }
  }
  const bool backed =
      evidence.verdict == SignatureVerdict::kVerified && PublisherMatches(company, facts.signer);
  if (!backed) evidence.unbacked_claim = CleanShownName(company);
  return evidence;
}

std::optional<Evidence> ExamineLoadedFile(platform::FileEvidence& files, const DetailsLookup& lookup,
                                          std::stop_token stop) {
  if (lookup.loaded_file.empty()) return Evidence{};
  const std::optional<platform::FileFacts> facts = files.Examine(lookup.loaded_file, stop);
  if (!facts) return std::nullopt;
  return EvidenceFromFacts(*facts, lookup.details.publisher);
}

std::string VerdictText(const Evidence& evidence) {
  std::string text;
  switch (evidence.verdict) {
    case SignatureVerdict::kNotChecked:
      return {};
    case SignatureVerdict::kVerified:
      text = "Signed by " + (evidence.signer.empty() ? "(no name)" : evidence.signer) +
             " (verified)";
      break;
    case SignatureVerdict::kUnsigned:
      text = "Not signed";
      break;
    case SignatureVerdict::kMismatch:
      text = "The signature does not match the file";
      break;
    case SignatureVerdict::kUntrusted:
      text = "Signed, but not trusted: " + evidence.reason;
      break;
    case SignatureVerdict::kMissing:
      text = "The file is missing";
      break;
    case SignatureVerdict::kUnreadable:
      text = "The file cannot be read: " + evidence.reason;
      break;
  }
  if (!evidence.unbacked_claim.empty()) {
    text += ". Claims to be from " + evidence.unbacked_claim + ", but is not signed by it";
  }
  return text;
}

std::string_view VerdictWord(SignatureVerdict verdict) {
  switch (verdict) {
    case SignatureVerdict::kVerified:
      return "verified";
    case SignatureVerdict::kUnsigned:
      return "unsigned";
    case SignatureVerdict::kMismatch:
      return "mismatch";
    case SignatureVerdict::kUntrusted:
      return "untrusted";
    case SignatureVerdict::kMissing:
      return "missing";
    case SignatureVerdict::kUnreadable:
      return "unreadable";
    case SignatureVerdict::kNotChecked:
      break;
  }
  return {};
}

bool IsTrustworthy(const Evidence& evidence) {
  return evidence.verdict == SignatureVerdict::kVerified && evidence.unbacked_claim.empty();
}

}  // namespace qb::scanner
