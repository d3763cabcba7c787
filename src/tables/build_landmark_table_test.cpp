#include "tables/build_landmark_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/accepted_form.h"
#include "support/failing_folder.h"
#include "support/fake_platform.h"

namespace torsova {
namespace {

using testing::FakeRun;
using testing::MakeForm;
using testing::PrepareAcceptedForm;
using testing::SplitLines;

// Runs the stage on `form` and returns the lines of "Work2.CSV".
std::vector<std::string> BuildTable(const std::string& form) {
  FakeRun run;
  PrepareAcceptedForm(run, form);
  EXPECT_FALSE(run.Until(BuildLandmarkTable)) << run.console.transcript;
  EXPECT_EQ(run.console.transcript, "");
  EXPECT_FALSE(run.state.landmark_table);
  return SplitLines(run.scratch.Read("Work2.CSV"));
}

TEST(BuildLandmarkTableTest, WritesGivenFallbackAndKneeRowsByteForByte) {
  const std::vector<std::string> lines =
      BuildTable(MakeForm("Subject A,,,", {"CRAN,12.5,-3.25,100", "RSHO,-20,0,150", "LSHO,20,0,150",
                                           "RPEL,-10,1,90", "LPEL,10,3,92", "RKNE,10.25,-7.5,3"}));
  auto fallback = [](const std::string& label) {
    return " 0 ," + label + ",         12.50 ,         -3.25 , 100";
  };
  const std::vector<std::string> expected = {
      "Subject A",
      " 1 ,CRAN,         12.50 ,         -3.25 , 100",
      fallback("RELB"),
      fallback("RWRI"),
      fallback("RFNG"),
      fallback("LELB"),
      fallback("LWRI"),
      fallback("LFNG"),
      fallback("RANK"),
      fallback("RTOE"),
      fallback("LKNE"),
      fallback("LANK"),
      fallback("LTOE"),
      fallback("TAIL"),
      " 1 ,RSHO,        -20.00 ,          0.00 , 150",
      " 1 ,LSHO,         20.00 ,          0.00 , 150",
      " 1 ,RPEL,        -10.00 ,          1.00 , 90",
      " 1 ,LPEL,         10.00 ,          3.00 , 92",
      " 1 ,RKNE, 10.25,-7.5, 3",
  };
  EXPECT_EQ(lines, expected);
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[1].size(), 45u);
  EXPECT_EQ(lines[18].size(), 23u);
}

// The labels of lines 2 to 19, a fallback row (presence 0) marked by "-".
std::string RowOrder(const std::vector<std::string>& lines) {
  std::string order;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (i > 1) order += ' ';
    order += lines[i].substr(4, 4);
    if (lines[i].compare(0, 4, " 0 ,") == 0) order += '-';
  }
  return order;
}

TEST(BuildLandmarkTableTest, RowsFollowTheFormWithFallbacksWhileTheFirstRowIsRead) {
  struct Case {
    const char* form_labels;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"RSHO CRAN LSHO RPEL LPEL RKNE",
       "RSHO RELB- RWRI- RFNG- LELB- LWRI- LFNG- RANK- RTOE- LKNE- LANK- LTOE- TAIL- "
       "CRAN LSHO RPEL LPEL RKNE"},
      {"LSHO CRAN RSHO RPEL LPEL",
       "RELB- RWRI- RFNG- LSHO LELB- LWRI- LFNG- RKNE- RANK- RTOE- LKNE- LANK- LTOE- TAIL- "
       "CRAN RSHO RPEL LPEL"},
      {"CRAN RSHO RELB RWRI RFNG LSHO LELB LWRI LFNG RPEL RKNE RANK RTOE LPEL LKNE LANK LTOE TAIL",
       "CRAN RSHO RELB RWRI RFNG LSHO LELB LWRI LFNG RPEL RKNE RANK RTOE LPEL LKNE LANK LTOE TAIL"},
      {"TAIL LTOE LANK LKNE LPEL RTOE RANK RKNE RPEL LFNG LWRI LELB LSHO RFNG RWRI RELB RSHO CRAN",
       "TAIL LTOE LANK LKNE LPEL RTOE RANK RKNE RPEL LFNG LWRI LELB LSHO RFNG RWRI RELB RSHO CRAN"},
      // A label in small letters names no landmark exactly: RELB is missing.
      {"CRAN relb RSHO LSHO RPEL LPEL",
       "CRAN RELB- RWRI- RFNG- LELB- LWRI- LFNG- RKNE- RANK- RTOE- LKNE- LANK- LTOE- TAIL- "
       "RSHO LSHO RPEL LPEL"},
      // A label given twice is written once.
      {"CRAN RSHO LSHO TAIL RPEL RSHO LPEL TAIL",
       "CRAN RELB- RWRI- RFNG- LELB- LWRI- LFNG- RKNE- RANK- RTOE- LKNE- LANK- LTOE- "
       "RSHO LSHO TAIL RPEL LPEL"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> rows;
    std::istringstream labels(c.form_labels);
    for (std::string label; labels >> label;) rows.push_back(label + ",1,2,3");
    EXPECT_EQ(RowOrder(BuildTable(MakeForm("T", rows))), c.expected) << c.form_labels;
  }
}

TEST(BuildLandmarkTableTest, FirstRowOfALabelIsWrittenAndLastCranIsTheFallback) {
  const std::vector<std::string> lines =
      BuildTable(MakeForm("T", {"RSHO,1,1,1", "CRAN,1,2,3", "LSHO,2,2,2", "RPEL,3,3,3",
                                "LPEL,4,4,4", "RSHO,9,9,9", "CRAN,4,5,6"}));
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[1], " 1 ,RSHO,          1.00 ,          1.00 , 1");
  EXPECT_EQ(lines[2], " 0 ,RELB,          4.00 ,          5.00 , 6");
  EXPECT_EQ(lines[14], " 0 ,TAIL,          4.00 ,          5.00 , 6");
  EXPECT_EQ(lines[15], " 1 ,CRAN,          1.00 ,          2.00 , 3");
}

TEST(BuildLandmarkTableTest, NumbersAreReadThenRenderedAgain) {
  const std::vector<std::string> lines = BuildTable(MakeForm(
      "T",
      {"CRAN,-0.001,9999999999.994,-0.5", "RSHO,-999999999.994,0.005,123.45678",
       "RKNE,1234567890.123456789,-0.001,0.1", "LSHO,007,.5,2.675", "RPEL,1,1,1", "LPEL,1,1,1"}));
  ASSERT_EQ(lines.size(), 19u);
  // The first data row is CRAN, so the fallback rows come right after it.
  EXPECT_EQ(lines[1], " 1 ,CRAN,         -0.00 , 9999999999.99 ,-0.5");
  EXPECT_EQ(lines[14], " 1 ,RSHO, -999999999.99 ,          0.01 , 123.4568");
  EXPECT_EQ(lines[15], " 1 ,RKNE, 1234567890.123457,-0.001, 0.1");
  EXPECT_EQ(lines[16], " 1 ,LSHO,          7.00 ,          0.50 , 2.675");
}

TEST(BuildLandmarkTableTest, EmptyTitleGivesAnEmptyFirstLine) {
  const std::vector<std::string> lines = BuildTable(
      MakeForm(",,,", {"CRAN,1,1,1", "RSHO,1,1,1", "LSHO,1,1,1", "RPEL,1,1,1", "LPEL,1,1,1"}));
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], " 1 ,CRAN,          1.00 ,          1.00 , 1");
}

TEST(BuildLandmarkTableTest, TableThatCannotBeWrittenStopsTheRunWithStatusOne) {
  FakeRun run;
  PrepareAcceptedForm(
      run, MakeForm("T", {"CRAN,1,1,1", "RSHO,1,1,1", "LSHO,1,1,1", "RPEL,1,1,1", "LPEL,1,1,1"}));
  testing::FullDiskFolder full(*run.folder, {"work2.csv"});
  run.state.landmark_table = std::make_unique<OutputChannel>(full, "Work2.CSV");
  std::optional<testing::RunEnded> ended = run.Until(BuildLandmarkTable);
  ASSERT_TRUE(ended);
  EXPECT_EQ(ended->status, 1);
  EXPECT_FALSE(ended->viewer);
  EXPECT_EQ(run.console.transcript,
            "\r\n\r\nCan't proceed.\r\n\r\nWork2.CSV could not be written.\r\n\r\n"
            "                 Press any key to continue\r\n[key]");
}

}  // namespace
}  // namespace torsova
