#include <gtest/gtest.h>

#include "platform/error.h"

namespace qb {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorBoxText("Cannot create file C:\\x\\BCLSIDs.txt"),
            "Cannot create file C:\\x\\BCLSIDs.txt.");
  EXPECT_EQ(ErrorBoxText("Invalid data type for 'AutoStart'"), "Invalid data type for 'AutoStart'");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Really?"), "Really?.");
  EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorBoxText("path/"), "path/.");
  EXPECT_EQ(ErrorBoxText("(x)"), "(x)");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace qb
