#include "landmarks/body_measures.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torsova {
namespace {

// A body standing at the origin, every point given: the cranium at height 170,
// the ankles at 8 and the toes at 2, each arm's upper arm 30 long.
BodyPoints Standing() {
  BodyPoints body;
  const struct {
    std::string_view code;
    double x, y, z;
  } points[] = {
      {"CRAN", 0, 0, 170},  {"RSHO", -20, 0, 145}, {"RELB", -20, 0, 115}, {"RWRI", -20, 0, 90},
      {"RFNG", -20, 0, 70}, {"LSHO", 20, 0, 145},  {"LELB", 20, 0, 115},  {"LWRI", 20, 0, 90},
      {"LFNG", 20, 0, 70},  {"RPEL", -12, 0, 98},  {"RKNE", -10, 0, 52},  {"RANK", -9, 0, 8},
      {"RTOE", -10, 18, 2}, {"LPEL", 12, 0, 98},   {"LKNE", 10, 0, 52},   {"LANK", 9, 0, 8},
      {"LTOE", 10, 18, 2},  {"TAIL", 0, -6, 92},   {"NECK", 0, 0, 145},   {"SACR", 0, 0, 98},
  };
  for (const auto& p : points) body.at[BodyPointOf(p.code)] = {p.x, p.y, p.z};
  return body;
}

BodyPoints Without(BodyPoints body, const std::vector<std::string_view>& codes) {
  for (std::string_view code : codes) body.missing[BodyPointOf(code)] = true;
  return body;
}

TEST(BodyMeasuresTest, HeightIsAboveTheLowestAnkleOrToeTheFormGave) {
  const struct {
    std::vector<std::string_view> missing;
    std::optional<std::string> height;
  } cases[] = {
      {{}, "168.00"},
      {{"LTOE"}, "168.00"},
      {{"RTOE"}, "168.00"},
      {{"RTOE", "LTOE"}, "162.00"},
      {{"RANK", "LANK"}, "168.00"},
      {{"RANK", "RTOE", "LANK"}, "168.00"},
      {{"RANK", "RTOE", "LTOE"}, "162.00"},
      {{"RANK", "RTOE", "LANK", "LTOE"}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MeasureBody(Without(Standing(), c.missing))[0].value, c.height)
        << c.missing.size() << " missing, first " << (c.missing.empty() ? "" : c.missing[0]);
  }
  // The lowest wherever it is: toes raised above the ankles leave them the base.
  BodyPoints tiptoe = Standing();
  tiptoe.at[BodyPointOf("RTOE")][2] = 20;
  tiptoe.at[BodyPointOf("LTOE")][2] = 20;
  tiptoe.at[BodyPointOf("LANK")][2] = 5;
  EXPECT_EQ(MeasureBody(tiptoe)[0].value, "165.00");
}

TEST(BodyMeasuresTest, OnlySidesDifferingByMoreThanTenPercentAreMarked) {
  // The upper arms' lengths (shoulder at 145, elbow straight below it).
  const struct {
    double right, left;
    std::string difference;
    std::optional<std::string> warning;
  } cases[] = {
      {105, 95, "+10.0", std::nullopt},
      {95, 105, "-10.0", std::nullopt},
      {105.1, 95, "+10.1", "the sides differ by 10 %: check the form"},
      {95, 105.1, "-10.1", "the sides differ by 10 %: check the form"},
      {30, 30, "0.0", std::nullopt},
      {30, 30.01, "0.0", std::nullopt},  // -0.03 % shows as 0.0, without a minus
      {36, 30, "+18.2", "the sides differ by 18 %: check the form"},
  };
  for (const auto& c : cases) {
    BodyPoints body = Standing();
    body.at[BodyPointOf("RELB")][2] = 145 - c.right;
    body.at[BodyPointOf("LELB")][2] = 145 - c.left;
    const Measure upper_arm = MeasureBody(body)[5];
    ASSERT_EQ(upper_arm.id, "upper_arm");
    EXPECT_NEAR(*upper_arm.right_length, c.right, 1e-9) << c.right << " " << c.left;
    EXPECT_NEAR(*upper_arm.left_length, c.left, 1e-9) << c.right << " " << c.left;
    EXPECT_EQ(upper_arm.difference, c.difference) << c.right << " " << c.left;
    EXPECT_EQ(upper_arm.warning, c.warning) << c.right << " " << c.left;
  }
}

TEST(BodyMeasuresTest, EachMeasureRunsBetweenItsOwnLandmarks) {
  // Every landmark moved alone changes exactly the measures that run to it.
  const auto lengths = [](const BodyPoints& body) {
    std::vector<std::optional<double>> all;
    for (const Measure& m : MeasureBody(body)) {
      all.push_back(m.paired ? m.right_length : m.length);
      if (m.paired) all.push_back(m.left_length);
    }
    return all;
  };
  const struct {
    std::string_view moved;
    std::vector<std::size_t> changed;  // into the lengths: singles, then right and left of pairs
  } cases[] = {
      {"CRAN", {1}},      {"NECK", {1, 2}},      {"SACR", {2, 17}}, {"RSHO", {3, 5}},
      {"LELB", {6, 8}},   {"RWRI", {7, 9}},      {"LFNG", {10}},    {"RPEL", {4, 11}},
      {"LKNE", {12, 14}}, {"RANK", {0, 13, 15}}, {"LTOE", {16}},    {"TAIL", {17}},
  };
  const std::vector<std::optional<double>> standing = lengths(Standing());
  for (const auto& c : cases) {
    BodyPoints body = Standing();
    body.at[BodyPointOf(c.moved)][1] += 3;                       // forward: the height stays
    if (c.moved == "RANK") body.at[BodyPointOf("RANK")][2] = 1;  // and the lowest
    const std::vector<std::optional<double>> moved = lengths(body);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < moved.size(); ++i) {
      if (moved[i] != standing[i]) changed.push_back(i);
    }
    EXPECT_EQ(changed, c.changed) << c.moved;
  }
}

}  // namespace
}  // namespace torsova
