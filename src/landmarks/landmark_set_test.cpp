#include "landmarks/landmark_set.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace torsova {
namespace {

TEST(LandmarkSetTest, EighteenDistinctCodesOfFourCapitalsCountedFromOne) {
  std::set<std::string_view> distinct(LandmarkSet.begin(), LandmarkSet.end());
  EXPECT_EQ(distinct.size(), 18u);
  for (std::size_t i = 0; i < LandmarkSet.size(); ++i) {
    const std::string_view label = LandmarkSet[i];
    ASSERT_EQ(label.size(), 4u) << label;
    for (char c : label) EXPECT_TRUE(c >= 'A' && c <= 'Z') << label;
    EXPECT_EQ(LandmarkPosition(label), i + 1) << label;
  }
  EXPECT_EQ(LandmarkPosition("CRAN"), 1u);
  EXPECT_EQ(LandmarkPosition("LSHO"), 6u);
  EXPECT_EQ(LandmarkPosition("RKNE"), 11u);
  EXPECT_EQ(LandmarkPosition("TAIL"), 18u);
}

TEST(LandmarkSetTest, TorsoLandmarksAreMembersAndDerivedOnesAreNot) {
  for (std::string_view torso : TorsoLandmarks) {
    EXPECT_TRUE(LandmarkPosition(torso).has_value()) << torso;
    EXPECT_TRUE(IsTorsoLandmark(torso)) << torso;
  }
  for (std::string_view other : {"RELB", "RKNE", "TAIL", "cran", "NECK"}) {
    EXPECT_FALSE(IsTorsoLandmark(other)) << other;
  }
  for (std::string_view derived : DerivedLandmarks) {
    EXPECT_FALSE(LandmarkPosition(derived).has_value()) << derived;
  }
}

TEST(LandmarkSetTest, PositionNeedsTheWholeTextExactly) {
  for (std::string_view text : {"cran", "Cran", "xCRAN", "CRAN ", "CRA", "", "NECK", "SACR"}) {
    EXPECT_FALSE(LandmarkPosition(text).has_value()) << '"' << text << '"';
  }
}

TEST(LandmarkSetTest, LastFourKeepsShortCellsWhole) {
  EXPECT_EQ(LastFour("Shoulder"), "lder");
  EXPECT_EQ(LastFour("CRAN "), "RAN ");
  EXPECT_EQ(LastFour("abc"), "abc");
  EXPECT_EQ(LastFour("RELB"), "RELB");
  EXPECT_EQ(LastFour(""), "");
}

TEST(LandmarkSetTest, LegitimacyLooksAtTheLastFourUpperCased) {
  struct Case {
    const char* cell;
    bool legitimate;
  };
  const Case cases[] = {
      {"CRAN", true},     {"cran", true},  {"cRaN", true},      {"relb", true}, {"xCRAN", true},
      {"\xE9tail", true}, {"TAIL", true},  {"Shoulder", false}, {"abc", false}, {"head", false},
      {"NECK", false},    {"SACR", false}, {"CRAN ", false},    {"CRA", false}, {"", false},
      {"RSH\xD6", false}, {"R5HO", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsLegitimateLabelCell(c.cell), c.legitimate) << '"' << c.cell << '"';
  }
}

}  // namespace
}  // namespace torsova
