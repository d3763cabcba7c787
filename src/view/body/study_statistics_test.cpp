#include "view/body/study_statistics.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/memory_folder.h"
#include "support/study_forms.h"
#include "view/body/body_figure.h"
#include "view/figure/figure_reader.h"

namespace torsova::view {
namespace {

using testing::Planted;

std::array<Measure, kMeasureCount> MeasuresOfForm(const std::string& form) {
  testing::MemoryFolder folder;
  folder.files["f"] = testing::FigureOfForm(form);
  TextSource source(folder.OpenForReading("f"));
  const FigureReading reading = ReadFigure(source);
  const std::optional<BodyFigure> body = RecogniseBody(reading.figure);
  EXPECT_TRUE(body.has_value());
  return body ? MeasureBody(*body) : std::array<Measure, kMeasureCount>{};
}

// A body's flags as "column:side" / "column:study+" (high) / "column:side,study-" (low).
std::vector<std::string> Shown(const std::vector<CellFlag>& flags) {
  std::vector<std::string> shown;
  for (const CellFlag& flag : flags) {
    std::string kinds = flag.side ? "side" : "";
    if (flag.study) {
      kinds += std::string(flag.side ? "," : "") + "study" + (flag.way == Way::kHigh ? "+" : "-");
    }
    shown.push_back(StudyColumns()[flag.column].id + ":" + kinds);
  }
  return shown;
}

TEST(StudyStatisticsTest, FlagsExactlyThePlantedMistakesOfAVariedStudy) {
  const std::map<std::size_t, Planted> planted = {
      {17, Planted::kKneesHigh}, {60, Planted::kMillimetres}, {123, Planted::kRightElbowUp}};
  std::vector<std::array<Measure, kMeasureCount>> bodies;
  for (std::size_t i = 0; i < 200; ++i) {
    const auto fault = planted.find(i);
    bodies.push_back(MeasuresOfForm(
        testing::StudyForm(i, fault == planted.end() ? Planted::kNone : fault->second)));
  }
  const StudyStatistics study = ComputeStudyStatistics(bodies);
  const std::map<std::size_t, std::vector<std::string>> expected = {
      {17, {"thigh_right:study-", "thigh_left:study-", "shank_right:study+", "shank_left:study+"}},
      {60, {"height:study+"}},
      {123,
       {"upper_arm_right:side,study-", "upper_arm_left:side", "forearm_right:side,study+",
        "forearm_left:side"}},
  };
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    const auto wanted = expected.find(i);
    EXPECT_EQ(Shown(study.flags[i]),
              wanted == expected.end() ? std::vector<std::string>{} : wanted->second)
        << "body " << i;
  }
  EXPECT_EQ(study.flagged, 3u);
  EXPECT_TRUE(study.study_flags);
  EXPECT_EQ(study.columns[0].count, 200u);
  EXPECT_TRUE(study.columns[0].flags);

  // The reasons say which way, in the figure's unit for the height.
  const auto reason = [&](std::size_t body, std::size_t n) { return study.flags[body][n].reason; };
  EXPECT_EQ(reason(60, 0).substr(reason(60, 0).find(", the study's")),
            ", the study's median " + study.columns[0].median_text + ": check the form");
  EXPECT_EQ(reason(17, 2).rfind("right shank ", 0), 0u) << reason(17, 2);
  EXPECT_EQ(reason(17, 2).find(" % of height, the study's median "), 14u) << reason(17, 2);
  EXPECT_EQ(reason(123, 0).rfind("the sides differ by ", 0), 0u) << reason(123, 0);
  EXPECT_NE(reason(123, 0).find("; right upper arm "), std::string::npos) << reason(123, 0);
}

TEST(StudyStatisticsTest, LooksForStudyFlagsOnlyWithEnoughBodiesAndSpread) {
  const auto study_of = [](std::size_t count, Planted last) {
    std::vector<std::array<Measure, kMeasureCount>> bodies;
    for (std::size_t i = 0; i < count; ++i) {
      bodies.push_back(
          MeasuresOfForm(testing::StudyForm(i, i + 1 == count ? last : Planted::kNone)));
    }
    return ComputeStudyStatistics(bodies);
  };
  // Nine bodies: the millimetre body stands out but is not flagged.
  const StudyStatistics nine = study_of(9, Planted::kMillimetres);
  EXPECT_FALSE(nine.study_flags);
  EXPECT_EQ(nine.flagged, 0u);
  const StudyStatistics ten = study_of(10, Planted::kMillimetres);
  EXPECT_TRUE(ten.study_flags);
  EXPECT_EQ(Shown(ten.flags[9]), std::vector<std::string>{"height:study+"});

  // Ten bodies, one without a right knee: nine have a right thigh, too few.
  const StudyStatistics knee = study_of(10, Planted::kNoRightKnee);
  const std::size_t thigh_right = 11;
  ASSERT_EQ(StudyColumns()[thigh_right].id, "thigh_right");
  EXPECT_EQ(knee.columns[thigh_right].count, 9u);
  EXPECT_FALSE(knee.columns[thigh_right].flags);
  EXPECT_TRUE(knee.columns[thigh_right + 1].flags);

  // A height of 0 gives no ratios, only its own flag.
  std::vector<std::array<Measure, kMeasureCount>> flat;
  for (std::size_t i = 0; i < 12; ++i) flat.push_back(MeasuresOfForm(testing::StudyForm(i)));
  flat[4][0].length = 0;
  EXPECT_EQ(Shown(ComputeStudyStatistics(flat).flags[4]),
            std::vector<std::string>{"height:study-"});

  // Twelve identical bodies and one far off: a MAD of 0 flags nothing.
  std::vector<std::array<Measure, kMeasureCount>> same(12, MeasuresOfForm(testing::StudyForm(3)));
  same.push_back(MeasuresOfForm(testing::StudyForm(4, Planted::kMillimetres)));
  const StudyStatistics alike = ComputeStudyStatistics(same);
  EXPECT_EQ(*alike.columns[0].mad, 0);
  EXPECT_EQ(alike.flagged, 0u);
}

TEST(StudyStatisticsTest, MediansAndTheColumnsOfTheMeasuresTable) {
  const struct {
    std::vector<double> values;
    std::optional<double> median;
  } cases[] = {{{}, std::nullopt}, {{5}, 5}, {{3, 1, 2}, 2}, {{4, 1, 3, 2}, 2.5}};
  for (auto c : cases) EXPECT_EQ(Median(c.values), c.median);

  std::string ids;
  for (const StudyColumn& column : StudyColumns()) ids += column.id + ",";
  EXPECT_EQ(ids,
            "height,head,trunk,shoulder_breadth,pelvis_breadth,upper_arm_right,upper_arm_left,"
            "forearm_right,forearm_left,hand_right,hand_left,thigh_right,thigh_left,shank_right,"
            "shank_left,foot_right,foot_left,tail,");
}

}  // namespace
}  // namespace torsova::view
