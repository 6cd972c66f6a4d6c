// The evidence of a file against the bare system calls that make it, in
// the same run, under Wine:
// - hashing: the program's SHA-256 of a 256 MiB file against a bare loop of
//   the same CNG calls over the same file (throughput ratio, at least 0.8);
// - the report of 2,000 objects loading 1,000 distinct signed files against
//   one bare signature check and one bare hash per distinct file (time
//   ratio, at most 1.3): objects that share a file check it once. The same
//   report without the evidence columns is timed too, so that the part
//   the evidence adds can be set against the bare work on its own.
// The signed sample comes from the Windows build (QB_BUILD_DIR).
#include <windows.h>

#include <bcrypt.h>
#include <softpub.h>
#include <wintrust.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lists/list_file.h"
#include "platform/memory_file_evidence.h"
#include "platform/memory_files.h"
#include "platform/win32/file_hash.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_evidence.h"
#include "platform/win32/win32_file_locator.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_version_info.h"
#include "report/object_report.h"

namespace {

constexpr wchar_t kBhoKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr DWORD kPiece = qb::win32::kHashPiece;
constexpr int kObjects = 2000;
constexpr int kFiles = 1000;

double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  work();
  ::QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

HANDLE OpenForReading(const std::wstring& path) {
  return ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// The bare CNG loop: the calls the program makes, nothing around them.
void BareHash(HANDLE file, std::vector<UCHAR>& piece) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  ::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
  ::BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0);
  DWORD read = 0;
  while (::ReadFile(file, piece.data(), kPiece, &read, nullptr) && read > 0) {
    ::BCryptHashData(hash, piece.data(), read, 0);
  }
  UCHAR digest[32];
  ::BCryptFinishHash(hash, digest, sizeof digest, 0);
  ::BCryptDestroyHash(hash);
  ::BCryptCloseAlgorithmProvider(algorithm, 0);
}

// The bare signature check: WinVerifyTrust as the program asks it.
void BareCheck(HANDLE file, const std::wstring& path) {
  WINTRUST_FILE_INFO info{sizeof info};
  info.pcwszFilePath = path.c_str();
  info.hFile = file;
  WINTRUST_DATA data{sizeof data};
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &info;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
}

std::filesystem::path TemporaryFolder() {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  return std::filesystem::path(folder) / L"qb_evidence_benchmark";
}

void HashingRatio(const std::filesystem::path& folder) {
  const std::wstring path = (folder / L"big.bin").wstring();
  {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<UCHAR> piece(kPiece);
    for (int mib = 0; mib < 256; ++mib) {
      for (DWORD i = 0; i < kPiece; ++i) piece[i] = static_cast<UCHAR>((i * 31 + mib) >> 3);
      DWORD written = 0;
      ::WriteFile(file, piece.data(), kPiece, &written, nullptr);
    }
    ::CloseHandle(file);
  }
  std::vector<UCHAR> piece(kPiece);
  std::vector<double> program;
  std::vector<double> bare;
  for (int round = 0; round < 6; ++round) {
    HANDLE file = OpenForReading(path);
    const double bare_seconds = Seconds([&] { BareHash(file, piece); });
    ::CloseHandle(file);
    file = OpenForReading(path);
    const double program_seconds = Seconds([&] { qb::win32::Sha256OfFile(file); });
    ::CloseHandle(file);
    if (round == 0) continue;  // the file's first reads fill the cache
    bare.push_back(bare_seconds);
    program.push_back(program_seconds);
  }
  const double mib = 256.0;
  std::printf(
      "hashing 256 MiB: program %.0f MiB/s, bare CNG loop %.0f MiB/s, throughput ratio %.3f "
      "(target >= 0.8)\n",
      mib / Median(program), mib / Median(bare), Median(bare) / Median(program));
  std::filesystem::remove(path);
}

std::wstring Clsid(int i) {
  wchar_t text[40];
  std::swprintf(text, 40, L"{BE7E%04X-0000-4000-8000-%012X}", i, i);
  return text;
}

void SetDefault(const std::wstring& key, const std::wstring& value) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(created, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(created);
}

void ReportRatio(const std::filesystem::path& folder, const std::filesystem::path& sample) {
  std::vector<std::wstring> files;
  for (int i = 0; i < kFiles; ++i) {
    files.push_back((folder / (L"signed" + std::to_wstring(i) + L".dll")).wstring());
    std::filesystem::copy_file(sample, files.back(),
                               std::filesystem::copy_options::overwrite_existing);
  }
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBhoKey);
  for (int i = 0; i < kObjects; ++i) {
    HKEY created = nullptr;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kBhoKey) + L"\\" + Clsid(i)).c_str(), 0,
                      nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr);
    ::RegCloseKey(created);
    SetDefault(L"CLSID\\" + Clsid(i), L"Benchmark object");
    SetDefault(L"CLSID\\" + Clsid(i) + L"\\InprocServer32", files[i % kFiles]);
  }

  qb::platform::MemoryFiles memory_files;
  memory_files.Put("/p/CLSIDs.txt", "");
  qb::lists::ClsidLists lists(memory_files, "/p");
  lists.Load();
  qb::win32::Win32Registry registry;
  qb::win32::Win32FileLocator locator;
  qb::win32::Win32VersionInfo versions;
  qb::win32::Win32FileEvidence evidence;
  const qb::win32::Win32CodePage code_page;
  std::vector<UCHAR> piece(kPiece);
  std::vector<double> report;
  std::vector<double> bare;
  std::vector<double> details;
  qb::platform::MemoryFileEvidence no_evidence;
  std::size_t lines = 0;
  for (int round = 0; round < 4; ++round) {
    const double bare_seconds = Seconds([&] {
      for (const std::wstring& path : files) {
        HANDLE file = OpenForReading(path);
        BareHash(file, piece);
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        BareCheck(file, path);
        ::CloseHandle(file);
      }
    });
    const double report_seconds = Seconds([&] {
      const std::string csv =
          qb::report::BuildObjectReport({registry, locator, versions}, evidence, lists, code_page)
              .csv;
      lines = static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n'));
    });
    const double details_seconds = Seconds([&] {
      qb::report::BuildObjectReport({registry, locator, versions}, no_evidence, lists, code_page);
    });
    if (round == 0) continue;  // caches of the registry and the files
    bare.push_back(bare_seconds);
    report.push_back(report_seconds);
    details.push_back(details_seconds);
  }
  const double added = Median(report) - Median(details);
  std::printf(
      "report of %d objects (%zu lines) loading %d distinct signed files: report %.2f s, bare "
      "check and hash per file %.2f s, ratio %.3f (target <= 1.3)\n"
      "  of the report, the details without the evidence (registry, paths, version resources) "
      "%.2f s; what the evidence adds %.2f s, ratio to the bare work %.3f\n",
      kObjects, lines - 1, kFiles, Median(report), Median(bare), Median(report) / Median(bare),
      Median(details), added, added / Median(bare));

  for (int i = 0; i < kObjects; ++i) ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + Clsid(i)).c_str());
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBhoKey);
  for (const std::wstring& path : files) std::filesystem::remove(path);
}

}  // namespace

int main() {
  const char* build = std::getenv("QB_BUILD_DIR");
  if (!build) {
    std::fprintf(stderr, "QB_BUILD_DIR must name the Windows build folder\n");
    return 2;
  }
  const std::filesystem::path sample =
      std::filesystem::path(build) / "samples" / "SignedHelper.dll";
  if (!std::filesystem::exists(sample)) {
    std::fprintf(stderr, "no signed sample at %s\n", sample.string().c_str());
    return 2;
  }
  const std::filesystem::path folder = TemporaryFolder();
  std::filesystem::create_directories(folder);
  HashingRatio(folder);
  ReportRatio(folder, sample);
  std::filesystem::remove_all(folder);
  return 0;
}
