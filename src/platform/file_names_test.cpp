#include "platform/file_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace torsova {
namespace {

TEST(FileNamesTest, PicksExactSpellingThenFirstVariantInByteOrder) {
  struct Case {
    std::string wanted;
    std::vector<std::string> entries;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"Work2.CSV", {"work2.csv", "Work2.CSV", "WORK2.CSV"}, "Work2.CSV"},
      {"Work2.csv", {"work2.csv", "WORK2.CSV"}, "WORK2.CSV"},
      {"Gyrovex.exe", {"gyrovex.EXE"}, "gyrovex.EXE"},
      {"BodyXYZ.CSV", {"BodyXYZ.CSV.bak", "BodyXY.CSV"}, std::nullopt},
      {"Work2.CSV", {}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PickEntry(c.wanted, c.entries), c.expected) << c.wanted;
  }
}

TEST(FileNamesTest, OnlyAsciiLettersFoldCase) {
  EXPECT_TRUE(SameNameIgnoringCase("3D_BODY.ROT", "3d_body.rot"));
  EXPECT_FALSE(SameNameIgnoringCase("a\xc3\x84", "a\xc3\xa4"));
  EXPECT_FALSE(SameNameIgnoringCase("Work2.CSV", "Work2.CSV "));
}

}  // namespace
}  // namespace torsova
