#include "report/addon_policy.h"

#include <gtest/gtest.h>

#include "lists/clsid_form.h"

namespace qb::report {
namespace {

using lists::IsClsidText;

constexpr char kHead[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext]\r\n"
    "\"ListBox_Support_CLSID\"=dword:00000001\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext\\CLSID]\r\n";

TEST(IsClsidText, TakesThe8_4_4_4_12FormOfHexDigitsInEitherLetterCaseAndNothingElse) {
  EXPECT_TRUE(IsClsidText("0123abcd-ABCD-ef01-EF23-456789abcdef"));
  EXPECT_TRUE(IsClsidText("00000000-0000-0000-0000-000000000000"));

  for (const std::string& entry : {
           std::string(),
           std::string("{0123abcd-ABCD-ef01-EF23-456789abcdef}"),  // braces
           std::string("0123abcd-ABCD-ef01-EF23-456789abcde"),     // 35
           std::string("0123abcd-ABCD-ef01-EF23-456789abcdef0"),   // 37
           std::string("0123abcdABCD-ef01-EF23-456789abcdef0"),    // a dash moved
           std::string("0123abc-dABCD-ef01-EF23-456789abcdef"),
           std::string("0123abcd-ABCD-ef01-EF23-456789abcdeg"),    // not hex
           std::string(" 123abcd-ABCD-ef01-EF23-456789abcdef"),
           std::string("0123abcd-ABCD-ef01-EF23-456789abcde\0", 36),
           std::string("0123abcd-ABCD-ef01-EF23-456789abcd\xEF\xBC", 36),
           std::string("\"123abcd-ABCD-ef01-EF23-456789abcd\"]"),  // quotes
       }) {
    EXPECT_FALSE(IsClsidText(entry)) << entry;
  }
}

TEST(BuildAddonPolicy, DeniesEachClsidOnceInTheListsOrderAndCountsTheEntriesThatAreNone) {
  const AddonPolicy policy = BuildAddonPolicy({
      "E2E0000A-0000-4000-8000-00000000000A",
      "not a clsid",
      "e2e0000b-0000-4000-8000-00000000000b",
      "e2e0000a-0000-4000-8000-00000000000a",  // the first, in other letter case
      "{E2E0000C-0000-4000-8000-00000000000C}",
      "\"]\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]",
      "",
      "E2E0000C-0000-4000-8000-00000000000C",
      "E2E0000B-0000-4000-8000-00000000000B",
  });
  EXPECT_EQ(policy.text, std::string(kHead) +
                             "\"{E2E0000A-0000-4000-8000-00000000000A}\"=\"0\"\r\n"
                             "\"{e2e0000b-0000-4000-8000-00000000000b}\"=\"0\"\r\n"
                             "\"{E2E0000C-0000-4000-8000-00000000000C}\"=\"0\"\r\n"
                             "\r\n");
  EXPECT_EQ(policy.denied, 3);
  EXPECT_EQ(policy.malformed, 4);
}

TEST(BuildAddonPolicy, AnEmptyListTurnsTheListOnAndDeniesNothing) {
  const AddonPolicy policy = BuildAddonPolicy({});
  EXPECT_EQ(policy.text, std::string(kHead) + "\r\n");
  EXPECT_EQ(policy.denied, 0);
  EXPECT_EQ(policy.malformed, 0);
}

}  // namespace
}  // namespace qb::report
