#include "platform/win32/win32_file_evidence.h"

#include <windows.h>
#include <winioctl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/win32/wide.h"
#include "scanner/evidence.h"

namespace qb::win32 {
namespace {

namespace fs = std::filesystem;

// The build's signed samples, beside the tests' own folder.
fs::path SamplesFolder() {
  wchar_t module[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  return fs::path(std::wstring(module, length)).parent_path() / L".." / L".." / L"samples";
}

std::string Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

class Win32FileEvidenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temporary[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temporary);
    folder_ = fs::path(temporary) / L"qb_file_evidence_test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  scanner::Evidence Examine(const fs::path& path) {
    const std::optional<platform::FileFacts> facts = evidence_.Examine(Narrow(path.wstring()));
    EXPECT_TRUE(facts);
    return facts ? scanner::EvidenceFromFacts(*facts, "Tarnwick Sample Works")
                 : scanner::Evidence{};
  }

  Win32FileEvidence evidence_;
  fs::path folder_;
};

// A damaged signature table, a locked file, a device: each a plain verdict.
TEST_F(Win32FileEvidenceTest, HostileFilesEachGetAPlainVerdict) {
  const std::string signed_bytes = Bytes(SamplesFolder() / L"SignedHelper.dll");
  ASSERT_GT(signed_bytes.size(), 4096u);
  Write(folder_ / L"signed.dll", signed_bytes);
  const scanner::Evidence good = Examine(folder_ / L"signed.dll");
  EXPECT_EQ(scanner::VerdictText(good), "Signed by Tarnwick Sample Works Ltd (verified)");
  EXPECT_EQ(good.sha256.size(), 64u);

  // The signature table is the end of the file: cut into it, and one that
  // claims to run far beyond the file.
  Write(folder_ / L"truncated.dll", signed_bytes.substr(0, signed_bytes.size() - 700));
  std::string oversized = signed_bytes;
  const std::uint32_t pe = *reinterpret_cast<const std::uint32_t*>(&oversized[0x3C]);
  // PE32+: the optional header's data directories start 112 bytes in; the
  // security directory is the fifth, its size the second half of it.
  const std::size_t security_size = pe + 24 + 112 + 4 * 8 + 4;
  *reinterpret_cast<std::uint32_t*>(&oversized[security_size]) = 0x7FFFFFF0;
  Write(folder_ / L"oversized.dll", oversized);
  // Wine: ERROR_INSUFFICIENT_BUFFER and TRUST_E_NOSIGNATURE.
  for (const wchar_t* name : {L"truncated.dll", L"oversized.dll"}) {
    const scanner::Evidence damaged = Examine(folder_ / name);
    EXPECT_NE(damaged.verdict, scanner::SignatureVerdict::kVerified) << name;
    EXPECT_NE(damaged.verdict, scanner::SignatureVerdict::kUnreadable) << name;
    EXPECT_FALSE(scanner::VerdictText(damaged).empty()) << name;
  }

  // Another program holds the file open and shares nothing.
  HANDLE held = ::CreateFileW((folder_ / L"signed.dll").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(scanner::VerdictText(Examine(folder_ / L"signed.dll")),
            "The file cannot be read: another program holds it locked. Claims to be from "
            "Tarnwick Sample Works, but is not signed by it");
  ::CloseHandle(held);

  EXPECT_EQ(Examine(folder_ / L"none.dll").verdict, scanner::SignatureVerdict::kMissing);
  EXPECT_EQ(Examine(folder_ / L"no folder" / L"none.dll").verdict,
            scanner::SignatureVerdict::kMissing);
  const scanner::Evidence device = Examine(L"nul");
  EXPECT_EQ(device.verdict, scanner::SignatureVerdict::kUnreadable);
  EXPECT_EQ(device.reason, "it is not a file on a disk");
}

SIZE_T WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{sizeof counters};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

// 8 GiB that take no room on the disk: hashed in pieces, never whole, and
// a stop ends the work at once.
TEST_F(Win32FileEvidenceTest, AFileOfGigabytesCostsTimeNotMemoryAndAStopEndsItsCheck) {
  const fs::path huge = folder_ / L"huge.dll";
  HANDLE file = ::CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD returned = 0;
  ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = 8LL << 30;
  ASSERT_TRUE(::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
  ::CloseHandle(file);

  const SIZE_T before = WorkingSet();
  std::atomic<SIZE_T> largest = before;
  std::stop_source stop;
  std::atomic<bool> done = false;
  std::jthread watcher([&] {
    for (int waited = 0; !done && waited < 30000; waited += 20) {
      largest = std::max<SIZE_T>(largest, WorkingSet());
      if (waited == 1500) stop.request_stop();
      ::Sleep(20);
    }
  });
  const ULONGLONG start = ::GetTickCount64();
  const std::optional<platform::FileFacts> facts =
      evidence_.Examine(Narrow(huge.wstring()), stop.get_token());
  const ULONGLONG took = ::GetTickCount64() - start;
  done = true;
  watcher.join();
  EXPECT_FALSE(facts) << "8 GiB were hashed within the time of the test";
  EXPECT_LT(took, 5000u) << "the stop was not seen";
  EXPECT_LT(largest - before, SIZE_T{32} << 20) << "the working set grew while hashing";
}

}  // namespace
}  // namespace qb::win32
