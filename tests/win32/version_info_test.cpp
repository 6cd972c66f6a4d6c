#include "platform/win32/win32_version_info.h"

#include <gtest/gtest.h>

namespace qb::win32 {
namespace {

// Windows decides which names are devices; reading one could hang.
TEST(Win32VersionInfo, NamesThatWindowsTakesForDevicesAreNeverRead) {
  Win32VersionInfo versions;
  for (const char* name : {"COM1:", "C:\\Windows\\nul:", "C:\\x\\con :", "COM\xC2\xB9",
                           "LPT\xC2\xB3", "C:\\Windows\\COM1.dll:x", "nul", "CONIN$"}) {
    EXPECT_EQ(versions.Read(versions.ExpandFileName(name)), nullptr) << name;
    EXPECT_EQ(versions.Read(name), nullptr) << name;
  }
  EXPECT_EQ(versions.ExpandFileName("COM1:"), "\\\\.\\COM1");
}

TEST(Win32VersionInfo, AFileOnDiskIsRead) {
  Win32VersionInfo versions;
  const auto resource = versions.Read("C:\\windows\\system32\\kernel32.dll");
  ASSERT_NE(resource, nullptr);
  EXPECT_TRUE(resource->FirstTranslation().has_value());
}

}  // namespace
}  // namespace qb::win32
