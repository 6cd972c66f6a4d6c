#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_locator.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_locator.h"

namespace qb::win32 {
namespace {

// Windows decides which names are devices; reading one could hang.
TEST(Win32VersionInfo, NamesThatWindowsTakesForDevicesAreNeverRead) {
  Win32VersionInfo versions;
  Win32FileLocator locator;
  for (const char* name : {"COM1:", "C:\\Windows\\nul:", "C:\\x\\con :", "COM\xC2\xB9",
                           "LPT\xC2\xB3", "C:\\Windows\\COM1.dll:x", "nul", "CONIN$"}) {
    EXPECT_EQ(versions.Read(locator.FullPath(name, platform::RegistryView::k64)), nullptr) << name;
    EXPECT_EQ(versions.Read(name), nullptr) << name;
  }
  EXPECT_EQ(locator.FullPath("COM1:", platform::RegistryView::k64), "\\\\.\\COM1");
  EXPECT_EQ(platform::LocateLocalFile(locator, "COM1:", false, platform::RegistryView::k64),
            std::nullopt);
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
TEST(Win32FileLocator, TheSystemFolderOfThe32BitViewIsSysWow64) {
  Win32FileLocator locator;
  wchar_t wow64[MAX_PATH];
  const UINT length = ::GetSystemWow64DirectoryW(wow64, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(locator.FullPath("C:\\windows\\system32\\x.dll", platform::RegistryView::k32),
            Narrow({wow64, length}) + "\\x.dll");
  EXPECT_EQ(locator.FullPath("C:\\windows\\system32\\x.dll", platform::RegistryView::k64),
            "C:\\windows\\system32\\x.dll");
}

// REG_EXPAND_SZ names expand as the loader expands them; what they expand
// to passes the same check as a name written out.
TEST(Win32FileLocator, EnvironmentStringsExpandAndAreCheckedAfterwards) {
  Win32FileLocator locator;
  ASSERT_TRUE(::SetEnvironmentVariableW(L"QB_TEST_FOLDER", L"C:\\windows"));
  ASSERT_TRUE(::SetEnvironmentVariableW(L"QB_TEST_SHARE", L"\\\\server\\share"));
  EXPECT_EQ(locator.ExpandEnvironment("%QB_TEST_FOLDER%\\x.dll"), "C:\\windows\\x.dll");
  EXPECT_EQ(locator.ExpandEnvironment("%QB_NO_SUCH_VARIABLE%\\x.dll"),
            "%QB_NO_SUCH_VARIABLE%\\x.dll");
  EXPECT_EQ(platform::LocateLocalFile(locator, "%QB_TEST_FOLDER%\\x.dll", true,
                                      platform::RegistryView::k64),
            "C:\\windows\\x.dll");
  EXPECT_EQ(platform::LocateLocalFile(locator, "%QB_TEST_SHARE%\\x.dll", true,
                                      platform::RegistryView::k64),
            std::nullopt);
}

}  // namespace
}  // namespace qb::win32
