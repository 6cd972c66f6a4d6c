#include <gtest/gtest.h>

#include <random>

#include "lists/clsid_list.h"

namespace qb::lists {
namespace {

constexpr char kUpper[] = "0055C089-8582-441B-A0BF-17B458C2A3A8";
constexpr char kLower[] = "0055c089-8582-441b-a0bf-17b458c2a3a8";

TEST(ClsidList, MembershipIgnoresLetterCaseInBothDirections) {
  const ClsidList upper({kUpper});
  const ClsidList lower({kLower});
  EXPECT_EQ(upper.IndexOf(kLower), 0);
  EXPECT_EQ(lower.IndexOf(kUpper), 0);
}

TEST(ClsidList, NothingIsTrimmed) {
  const ClsidList list({std::string("{") + kUpper + "}", std::string(kUpper) + " ", ""});
  EXPECT_EQ(list.IndexOf(kUpper), -1);
  EXPECT_EQ(list.IndexOf(""), 2);
}

TEST(ClsidList, DuplicatesStayAndTheFirstPositionCounts) {
  const ClsidList list({"b", kUpper, "c", kLower});
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(list.IndexOf(kLower), 1);
}

TEST(ClsidList, AddingAppendsOnlyWhatIsMissing) {
  ClsidList list({"a"});
  EXPECT_TRUE(list.AddIfAbsent(kUpper));
  EXPECT_FALSE(list.AddIfAbsent(kLower));
  EXPECT_FALSE(list.AddIfAbsent("A"));
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"a", kUpper}));
  EXPECT_EQ(list.IndexOf(kLower), 1);
}

TEST(ClsidList, AssignReplacesTheIndexToo) {
  ClsidList list({"a", "b"});
  list.Assign({"c", "A"});
  EXPECT_EQ(list.IndexOf("b"), -1);
  EXPECT_EQ(list.IndexOf("a"), 1);
}

// Random lists with mixed case, duplicates and odd entries: the index must
// give the linear search's answer for every probe.
TEST(ClsidList, TheIndexAlwaysAgreesWithTheLinearSearch) {
  std::mt19937 random(20041205);
  const std::string alphabet = "0123456789abcdefABCDEF-{} ";
  const auto random_text = [&](std::size_t max_length) {
    std::string text(random() % (max_length + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  const auto flip_case = [&](std::string text) {
    for (char& c : text) {
      if (random() % 2)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      else
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
  };

  for (int round = 0; round < 50; ++round) {
    std::vector<std::string> entries;
    for (int i = 0; i < 200; ++i) {
      entries.push_back(i > 0 && random() % 5 == 0 ? flip_case(entries[random() % entries.size()])
                                                   : random_text(4));
    }
    ClsidList list(entries);
    for (int probe = 0; probe < 300; ++probe) {
      const std::string text =
          probe % 2 ? flip_case(entries[random() % entries.size()]) : random_text(4);
      ASSERT_EQ(list.IndexOf(text), FindLinear(entries, text)) << '"' << text << '"';
    }
    const std::string added = random_text(5);
    if (list.AddIfAbsent(added)) entries.push_back(added);
    ASSERT_EQ(list.IndexOf(flip_case(added)), FindLinear(entries, added));
  }
}

}  // namespace
}  // namespace qb::lists
