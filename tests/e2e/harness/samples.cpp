#include "harness/samples.h"

#include "harness/program.h"

#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace qb::e2e {

std::wstring SampleHelperPath() {
  return (BuildFolder() / L"samples" / L"SampleHelper.dll").wstring();
}

std::wstring SamplePath(const std::wstring& name) {
  return (BuildFolder() / L"samples" / name).wstring();
}

std::wstring SampleSha256(const std::wstring& name) {
  std::ifstream hashes(BuildFolder() / L"samples" / L"sample_hashes.txt");
  std::string file;
  std::string hash;
  while (hashes >> file >> hash) {
    if (std::wstring(file.begin(), file.end()) == name) return {hash.begin(), hash.end()};
  }
  return {};
}

VersionStrings ReadVersionStrings(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<BYTE> data(size);
  if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return {};
  WORD* translation = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    return {};
  }
  wchar_t prefix[64];
  std::swprintf(prefix, 64, L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
  const auto query = [&](const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT characters = 0;
    if (!::VerQueryValueW(data.data(), (std::wstring(prefix) + name).c_str(),
                          reinterpret_cast<void**>(&text), &characters) ||
        !text) {
      return std::wstring();
    }
    return std::wstring(text);
  };
  return {query(L"FileDescription"), query(L"FileVersion"), query(L"ProductName"),
          query(L"CompanyName")};
}

}  // namespace qb::e2e
