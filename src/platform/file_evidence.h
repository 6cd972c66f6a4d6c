#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

// The seam to what the system can tell of a file that its author cannot
// forge: whether it trusts the file's signature, and the file's hash
// (wintrust, crypt32 and CNG on Windows).
namespace qb::platform {

struct FileFacts {
  // The system's error code when the file could not be opened or read
  // whole; 0 when it was. Nothing below is filled when it is not 0.
  std::uint32_t read_error = 0;
  // The system's own words for that error; may be empty.
  std::string read_error_text;
  // SHA-256 of the whole file: 64 lower-case hex digits.
  std::string sha256;
  // What the trust check answered (0: trusted) for the file's embedded
  // signature or, when it has none, for a catalog that lists the file.
  std::int32_t trust_result = 0;
  bool from_catalog = false;
  // The leaf signer certificate's name as the certificate holds it,
  // untouched: it may hold anything. Empty when there is no signer.
  std::string signer;
};

class FileEvidence {
 public:
  virtual ~FileEvidence() = default;
  // Hashes and checks the file at `path`, a full path that
  // LocateLocalFile gave: never a network path or a device. The hash and
  // the check read the same open file, in bounded pieces. nullopt only when
  // `stop` was requested before the end.
  virtual std::optional<FileFacts> Examine(std::string_view path, std::stop_token stop = {}) = 0;
};

}  // namespace qb::platform
