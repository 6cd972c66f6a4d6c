#include "report/object_report.h"

#include <gtest/gtest.h>

#include "platform/memory_file_evidence.h"
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

  ObjectReport Report() {
    return BuildObjectReport({registry, locator, versions}, evidence, lists, ansi);
  }

  platform::MemoryRegistry registry;
  platform::MemoryFileLocator locator;
  platform::MemoryVersionInfo versions;
  platform::MemoryFileEvidence evidence;
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
      "CLSID,View,Status,File name,BHO name,Description,File version,Product name,Publisher,"
      "signature,signer,sha256,claim_unbacked\r\n"
      "00000000-0000-0000-0000-00000000000A,64-bit,known" +
          no_info + ",,,,,,,,no\r\n" + "00000000-0000-0000-0000-00000000000B,64-bit,ignored" +
          no_info + ",,,,,,,,no\r\n" + "00000000-0000-0000-0000-00000000000C,64-bit,blocked" +
          no_info + ",,,,,,,,no\r\n" + "00000000-0000-0000-0000-00000000000D,64-bit,suspicious" +
          no_info + ",,,,,,,,no\r\n" + "00000000-0000-0000-0000-00000000000D,32-bit,suspicious" +
          no_info + "\"32, bit\",,,,,,,,no\r\n");
}

TEST_F(ObjectReportTest, AnUnreadableRegistrationCostsOnlyItsOwnDetails) {
  registry.CreateKey(RegistryRoot::LocalMachine,
                     std::string(kKey64) + "{00000000-0000-0000-0000-00000000000E}");
  registry.SetDword(RegistryRoot::ClassesRoot, "CLSID\\{00000000-0000-0000-0000-00000000000E}", "",
                    1);
  const ObjectReport report = Report();
  EXPECT_NE(report.csv.find("00000000-0000-0000-0000-00000000000E,64-bit,suspicious,"
                            "Invalid data type for '',,,,,,,,,\r\n"),
            std::string::npos)
      << report.csv;
}

// Objects that load the same file, in any letter case, cost one read of
// its version resource and one check of it; a network path is never
// examined.
TEST_F(ObjectReportTest, ChecksEachFileOnceAndGivesEveryObjectItsEvidenceInTheLastColumns) {
  const std::string hash(64, 'e');
  const auto add = [&](char clsid, const std::string& server) {
    const std::string braced = std::string("{00000000-0000-0000-0000-00000000001") + clsid + "}";
    registry.CreateKey(RegistryRoot::LocalMachine, kKey64 + braced);
    registry.SetString(RegistryRoot::ClassesRoot, "CLSID\\" + braced + "\\InprocServer32", "",
                       server);
  };
  add('1', "C:\\x\\claims.dll");
  add('2', "C:\\X\\CLAIMS.DLL");
  add('3', "C:\\x\\gone.dll");
  add('4', "\\\\server\\share\\far.dll");
  const std::string prefix = "\\StringFileInfo\\040904E4\\";
  for (const char* path : {"C:\\x\\claims.dll", "C:\\X\\CLAIMS.DLL"}) {
    versions.AddFile(path, {platform::Translation{0x0409, 0x04E4},
                            {{prefix + "CompanyName", "Tarnwick Test Publisher"}}});
  }
  platform::FileFacts facts;
  facts.sha256 = hash;
  facts.signer = "Evil, \"Inc\"\r\n=1+1";
  evidence.AddFile("C:\\x\\claims.dll", facts);

  const std::string csv = Report().csv;
  const std::string claimed = ",,,,,Tarnwick Test Publisher,verified,\"Evil, \"\"Inc\"\" =1+1\"," +
                              hash + ",yes\r\n";
  EXPECT_NE(csv.find("-000000000011,64-bit,suspicious,C:\\x\\claims.dll" + claimed),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("-000000000012,64-bit,suspicious,C:\\X\\CLAIMS.DLL" + claimed),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("-000000000013,64-bit,suspicious,C:\\x\\gone.dll,,,,,,missing,,,no\r\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("-000000000014,64-bit,suspicious,\\\\server\\share\\far.dll,,,,,,,,,no\r\n"),
            std::string::npos)
      << csv;
  EXPECT_EQ(evidence.examined(),
            (std::vector<std::string>{"C:\\x\\claims.dll", "C:\\x\\gone.dll"}));
  EXPECT_EQ(versions.reads(),
            (std::vector<std::string>{"C:\\x\\claims.dll", "C:\\x\\gone.dll"}));
}

TEST_F(ObjectReportTest, AMachineWithoutObjectsGivesTheHeaderAlone) {
  const ObjectReport report = Report();
  EXPECT_EQ(report.suspicious, 0);
  EXPECT_EQ(report.csv, std::string("\xEF\xBB\xBF") + kHeader + "\r\n");
  EXPECT_EQ(files.write_count(), 0);
}

}  // namespace
}  // namespace qb::report
