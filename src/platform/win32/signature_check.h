#pragma once

#include <windows.h>

#include <string>

namespace qb::win32 {

struct TrustAnswer {
  LONG result = 0;      // WinVerifyTrust's answer; 0 when trusted
  std::string signer;   // the leaf signer certificate's name, as it holds it
  bool from_catalog = false;
};

// Asks Windows whether it trusts the signature of the open file `file`
// (named `path`): its embedded signature first, and when it has none, a
// system catalog that lists its hash (SHA-256, then SHA-1). No window is
// ever shown, and nothing is fetched from the network: revocation is not
// checked, and certificates come from the local stores and caches only.
TrustAnswer CheckSignature(HANDLE file, const std::wstring& path);

}  // namespace qb::win32
