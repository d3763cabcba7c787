#include "figure/write_figure_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/accepted_form.h"
#include "support/fake_platform.h"
#include "tables/build_landmark_table.h"
#include "tables/derive_landmarks.h"

namespace torsova {
namespace {

using testing::ExampleRows;
using testing::FakeRun;
using testing::MakeForm;
using testing::PrepareAcceptedForm;
using testing::SplitLines;

std::vector<std::string> Without(std::vector<std::string> rows, const std::string& label) {
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [&](const std::string& row) { return row.rfind(label, 0) == 0; }),
             rows.end());
  return rows;
}

// The figure of a form, with both files closed as the clean-up closes them.
std::vector<std::string> Figure(FakeRun& run, const std::string& form) {
  PrepareAcceptedForm(run, form);
  EXPECT_FALSE(run.Until([](RunState& state) {
    BuildLandmarkTable(state);
    DeriveLandmarks(state);
    WriteFigureFile(state);
  })) << run.console.transcript;
  EXPECT_TRUE(run.state.figure_table && run.state.figure_file) << "both files stay open";
  EXPECT_EQ(CloseEveryFile(run.state), std::nullopt);
  EXPECT_EQ(run.console.transcript, "");
  return SplitLines(run.scratch.Read("3D_BODY.ROT"));
}

std::vector<std::string> Figure(const std::vector<std::string>& rows) {
  FakeRun run;
  return Figure(run, MakeForm("T", rows));
}

TEST(WriteFigureFileTest, TorsoOnlyFigureReplacesAnEarlierOne) {
  FakeRun run;
  run.scratch.Write("3D_BODY.ROT", std::string(5000, 'x'));
  const std::vector<std::string> lines =
      Figure(run, MakeForm("Jane \"Q\" Doe,,,", {"LPEL,10,3,92", "RSHO,-20,0,150", "CRAN,0,2,170",
                                                 "RPEL,-10,1,90", "LSHO,20,0,150"}));
  // Every limb point is missing: it sits at the form's cranium and starts a new stroke.
  const std::string missing = "          0.00  170          2.00  0";
  const std::vector<std::string> expected = {
      "#3D body file created by Torsova.",
      "#Program by Osterling.",
      "#",
      "#osterling@example.org",
      "#torsova@example.org",
      "s CircleDiameter 0.17",
      "s WhiteBack",
      "s FillCircles",
      "",
      "#Jane \"Q\" Doe",
      "          0.00  160          1.00 -7 ",
      "          0.00  160          1.00  0 ",
      "          0.00  150          0.00  7 ",
      "          0.00  91          2.00  7 ",
      "         20.00  150          0.00  0 ",
      "        -20.00  150          0.00  7 ",
      "         10.00  92          3.00  0 ",
      "        -10.00  90          1.00  7 ",
      "         20.00  150          0.00  0 ",
      missing,
      missing,
      missing,
      "        -20.00  150          0.00  0 ",
      missing,
      missing,
      missing,
      "         10.00  92          3.00  0 ",
      missing,
      missing,
      missing,
      "        -10.00  90          1.00  0 ",
      missing,
      missing,
      missing,
      "          0.00  91          2.00  0 ",
      missing,
      "s CircleDiameter 0.03",
      "          0.00  170          2.00 -7 ",
      "          0.00  170          2.00 -7 ",
      "          0.00  170          2.00 -7 ",
      "          0.00  170          2.00 -7 ",
  };
  EXPECT_EQ(lines, expected);
}

// Stroke line n of the figure is line 10 + n.
constexpr std::size_t Stroke(std::size_t n) { return 9 + n; }

TEST(WriteFigureFileTest, EveryLandmarkJoinsEveryLimbAndMarksFingersAndToes) {
  const std::vector<std::string> lines = Figure(ExampleRows());
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[Stroke(1)], "          0.08  158.9          1.05 -7 ");
  for (std::size_t n : {10, 11, 12, 14, 15, 16, 18, 19, 20, 22, 23, 24, 26}) {
    EXPECT_EQ(lines[Stroke(n)].substr(lines[Stroke(n)].size() - 3), " 7 ") << "stroke " << n;
  }
  EXPECT_EQ(lines[36], "s CircleDiameter 0.03");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 37, lines.end()),
            (std::vector<std::string>{
                "        -27.10  68.4          6.20 -7 ",  // RFNG
                "         27.50  68.9          6.50 -7 ",  // LFNG
                "        -10.50  1.2         18.90 -7 ",   // RTOE
                "         10.80  1.4         19.20 -7 ",   // LTOE
            }));
}

TEST(WriteFigureFileTest, MissingFingerEndsItsStrokeAndMarksTheWrist) {
  const std::vector<std::string> lines = Figure(Without(ExampleRows(), "LFNG"));
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[Stroke(11)], "         26.80  87.3          5.00  7 ");
  EXPECT_EQ(lines[Stroke(12)], "          0.00  172.4          1.50  0");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 37, lines.end()),
            (std::vector<std::string>{
                "        -27.10  68.4          6.20 -7 ",  // RFNG
                "         26.80  87.3          5.00 -7 ",  // LWRI
                "        -10.50  1.2         18.90 -7 ",   // RTOE
                "         10.80  1.4         19.20 -7 ",   // LTOE
            }));
}

TEST(WriteFigureFileTest, MissingElbowIsDrawnFromItsFallbackPoint) {
  const std::vector<std::string> lines = Figure(Without(ExampleRows(), "LELB"));
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[Stroke(10)], "          0.00  172.4          1.50  0");
  EXPECT_EQ(lines[Stroke(11)], "         26.80  87.3          5.00  7 ");
  EXPECT_EQ(lines[Stroke(12)], "         27.50  68.9          6.50  7 ");
}

TEST(WriteFigureFileTest, NegativeHeightFollowsTheMaskDirectly) {
  std::vector<std::string> rows = Without(ExampleRows(), "TAIL");
  rows.push_back("TAIL,0,-6.5,-5");
  const std::vector<std::string> lines = Figure(rows);
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[Stroke(26)], "          0.00 -5         -6.50  7 ");
}

}  // namespace
}  // namespace torsova
