#include "report/object_report.h"

#include <gtest/gtest.h>

#include "platform/memory_file_locator.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/memory_version_info.h"

namespace qb::report {
namespace {

using platform::RegistryRoot;

constexpr char kKey64[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
constexpr char kKey32[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";

class ObjectReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Put("/p/CLSIDs.txt", "00000000-0000-0000-0000-00000000000a\r\n");
    files.Put("/p/ICLSIDs.txt",
              "00000000-0000-0000-0000-00000000000B\r\n"
              "00000000-0000-0000-0000-00000000000A\r\n");
    files.Put("/p/BCLSIDs.txt",
              "00000000-0000-0000-0000-00000000000B\r\n"
              "00000000-0000-0000-0000-00000000000C\r\n");
    lists.Load();
  }

  ObjectReport Report() { return BuildObjectReport({registry, locator, versions}, lists, ansi); }

  platform::MemoryRegistry registry;
  platform::MemoryFileLocator locator;
  platform::MemoryVersionInfo versions;
  platform::MemoryFiles files;
  lists::ClsidLists lists{files, "/p"};
  platform::Windows1252 ansi;
};

// Known, then ignored, then blocked, as the scan tests them: an object on
// several lists gets the first.
TEST_F(ObjectReportTest, GivesEachObjectAndViewALineWithTheStatusTheScanWouldGiveIt) {
  for (const char* clsid : {"A", "B", "C", "D"}) {
    registry.CreateKey(RegistryRoot::LocalMachine,
                       std::string(kKey64) + "{00000000-0000-0000-0000-00000000000" + clsid + "}");
  }
  registry.SetString(RegistryRoot::ClassesRoot,
                     "Wow6432Node\\CLSID\\{00000000-0000-0000-0000-00000000000D}", "", "32, bit");
  registry.CreateKey(RegistryRoot::LocalMachine,
                     std::string(kKey32) + "{00000000-0000-0000-0000-00000000000D}");

  const ObjectReport report = Report();
  EXPECT_EQ(report.suspicious, 2);
  const std::string no_info = ",No info is available or not valid CLSID,";
  EXPECT_EQ(
      report.csv,
      "\xEF\xBB\xBF"
      "CLSID,View,Status,File name,BHO name,Description,File version,Product name,Publisher\r\n"
      "00000000-0000-0000-0000-00000000000A,64-bit,known" +
          no_info + ",,,,\r\n" + "00000000-0000-0000-0000-00000000000B,64-bit,ignored" + no_info +
          ",,,,\r\n" + "00000000-0000-0000-0000-00000000000C,64-bit,blocked" + no_info +
          ",,,,\r\n" + "00000000-0000-0000-0000-00000000000D,64-bit,suspicious" + no_info +
          ",,,,\r\n" + "00000000-0000-0000-0000-00000000000D,32-bit,suspicious" + no_info +
          "\"32, bit\",,,,\r\n");
}

TEST_F(ObjectReportTest, AnUnreadableRegistrationCostsOnlyItsOwnDetails) {
  registry.CreateKey(RegistryRoot::LocalMachine,
                     std::string(kKey64) + "{00000000-0000-0000-0000-00000000000E}");
  registry.SetDword(RegistryRoot::ClassesRoot, "CLSID\\{00000000-0000-0000-0000-00000000000E}", "",
                    1);
  const ObjectReport report = Report();
  EXPECT_NE(report.csv.find("00000000-0000-0000-0000-00000000000E,64-bit,suspicious,"
                            "Invalid data type for '',,,,,\r\n"),
            std::string::npos)
      << report.csv;
}

TEST_F(ObjectReportTest, AMachineWithoutObjectsGivesTheHeaderAlone) {
  const ObjectReport report = Report();
  EXPECT_EQ(report.suspicious, 0);
  EXPECT_EQ(report.csv, std::string("\xEF\xBB\xBF") + kHeader + "\r\n");
  EXPECT_EQ(files.write_count(), 0);
}

}  // namespace
}  // namespace qb::report
