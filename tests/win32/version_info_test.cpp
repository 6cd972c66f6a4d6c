#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

// Windows decides which names are devices; reading one could hang.
TEST(Win32VersionInfo, NamesThatWindowsTakesForDevicesAreNeverRead) {
  Win32VersionInfo versions;
  for (const char* name : {"COM1:", "C:\\Windows\\nul:", "C:\\x\\con :", "COM\xC2\xB9",
                           "LPT\xC2\xB3", "C:\\Windows\\COM1.dll:x", "nul", "CONIN$"}) {
    EXPECT_EQ(versions.Read(versions.ExpandFileName(name, platform::RegistryView::k64)), nullptr)
        << name;
    EXPECT_EQ(versions.Read(name), nullptr) << name;
  }
  EXPECT_EQ(versions.ExpandFileName("COM1:", platform::RegistryView::k64), "\\\\.\\COM1");
}

TEST(Win32VersionInfo, AFileOnDiskIsRead) {
  Win32VersionInfo versions;
  const auto resource = versions.Read("C:\\windows\\system32\\kernel32.dll");
  ASSERT_NE(resource, nullptr);
  EXPECT_TRUE(resource->FirstTranslation().has_value());
}

}  // namespace
}  // namespace qb::win32

namespace qb::win32 {
namespace {

// A 32-bit browser loads "system32" files from SysWOW64.
TEST(Win32VersionInfo, TheSystemFolderOfThe32BitViewIsSysWow64) {
  Win32VersionInfo versions;
  wchar_t wow64[MAX_PATH];
  const UINT length = ::GetSystemWow64DirectoryW(wow64, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(versions.ExpandFileName("C:\\windows\\system32\\x.dll", platform::RegistryView::k32),
            Narrow({wow64, length}) + "\\x.dll");
  EXPECT_EQ(versions.ExpandFileName("C:\\windows\\system32\\x.dll", platform::RegistryView::k64),
            "C:\\windows\\system32\\x.dll");
}

}  // namespace
}  // namespace qb::win32
