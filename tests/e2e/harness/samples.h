#pragma once

#include <windows.h>

#include <string>

namespace qb::e2e {

// The sample helper DLL the build makes: a full version resource (040904E4).
std::wstring SampleHelperPath();

// The samples the build makes for the signature verdicts, beside it:
// SampleHelper.dll (not signed), SignedHelper.dll (signed by "Tarnwick
// Sample Works Ltd" under a throwaway root), TamperedHelper.dll (that one
// with a byte changed after signing) and ClaimingHelper.dll (signed alike,
// its CompanyName "Tarnwick Test Publisher").
std::wstring SamplePath(const std::wstring& name);
// The SHA-256 of such a sample that CMake computed when it made it, in
// lower-case hex; empty when the build wrote none.
std::wstring SampleSha256(const std::wstring& name);

// What the tests read from a file's version resource themselves, to compare
// with what the program shows.
struct VersionStrings {
  std::wstring description;
  std::wstring file_version;
  std::wstring product_name;
  std::wstring publisher;
};
VersionStrings ReadVersionStrings(const std::wstring& path);

}  // namespace qb::e2e
