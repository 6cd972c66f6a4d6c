#pragma once

#include <windows.h>

#include <string>

namespace qb::e2e {

// The sample helper DLL the build makes: a full version resource (040904E4).
std::wstring SampleHelperPath();

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
