#include "intake/check_form_cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/form_pages.h"
#include "support/refusal_ending.h"

namespace torsova {
namespace {

using testing::BlankCellPageText;
using testing::FakeRun;
using testing::FormOf;
using testing::NotANumberPageText;
using testing::RunEnded;
using testing::TooLargePageText;

// Runs stage 1 on `form` (none when null) and returns how it ended.
std::optional<RunEnded> CheckCells(FakeRun& run, const std::string* form) {
  if (form) run.scratch.Write("BodyXYZ.CSV", *form);
  return run.Until(CheckFormCells);
}

TEST(CheckFormCellsTest, AcceptedFormKeepsTitleCountAndLabelsAndOpensTheTable) {
  FakeRun run;
  const std::string form =
      "\"Smith, J\", 40,,\r\nLabel,X,Y,Z\r\n"
      "CRAN,0.0,1.5,172.4\r\n"
      "cran,9999999999.994,-999999999.994,-.5\r\n"
      "xCRAN  ,5.,.5,\"12\"\r\n"
      "123,1,2,3";  // the last row without a line end; labels are not judged here
  ASSERT_FALSE(CheckCells(run, &form).has_value()) << run.console.transcript;
  EXPECT_EQ(run.state.FormTitle, "\"Smith J\" 40");
  EXPECT_EQ(run.state.DataRowCount, 4u);
  EXPECT_EQ(run.state.FormLabels, (std::vector<std::string>{"CRAN", "cran", "xCRAN  ", "123"}));
  EXPECT_EQ(run.console.transcript, "");
  ASSERT_NE(run.state.landmark_table, nullptr);
  EXPECT_EQ(run.state.landmark_table->name(), "Work2.CSV");
  EXPECT_TRUE(run.scratch.Exists("Work2.CSV"));
  EXPECT_EQ(run.scratch.Read("Work2.CSV"), "");
}

TEST(CheckFormCellsTest, MissingOrHeadingOnlyFormPassesWithNoRows) {
  const std::string heading_only = "Only a title,,,\r\nLabel,X,Y,Z\r\n";
  for (const std::string* form : {static_cast<const std::string*>(nullptr), &heading_only}) {
    FakeRun run;
    run.scratch.Write("Work2.CSV", "an older table\r\n");
    ASSERT_FALSE(CheckCells(run, form).has_value()) << run.console.transcript;
    const std::string expected_title = form ? "Only a title" : "";
    EXPECT_EQ(run.state.FormTitle, expected_title);
    EXPECT_EQ(run.state.DataRowCount, 0u);
    EXPECT_TRUE(run.state.FormLabels.empty());
    EXPECT_EQ(run.scratch.Read("Work2.CSV"), "");
    EXPECT_NE(run.state.landmark_table, nullptr);
  }
}

TEST(CheckFormCellsTest, TitleOfCommasOnlyIsEmpty) {
  FakeRun run;
  const std::string form = ",,,\r\nLabel,X,Y,Z\r\nCRAN,1,2,3\r\n";
  ASSERT_FALSE(CheckCells(run, &form).has_value());
  EXPECT_EQ(run.state.FormTitle, "");
}

TEST(CheckFormCellsTest, DataStartingOnLineTwoLosesItsFirstRow) {
  FakeRun run;
  const std::string form = "Subject\r\nCRAN,1,2,3\r\nRSHO,4,5,6\r\n";
  ASSERT_FALSE(CheckCells(run, &form).has_value());
  EXPECT_EQ(run.state.DataRowCount, 1u);
  EXPECT_EQ(run.state.FormLabels, std::vector<std::string>{"RSHO"});
}

TEST(CheckFormCellsTest, EveryRowBeyondTheEighteenthIsReadAndKept) {
  for (std::size_t row_count : {19u, 1000u}) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < row_count; ++i) {
      rows.push_back(std::string(LandmarkSet[i % kLandmarkCount]) + "," + std::to_string(i) +
                     ",-2.5,3");
    }
    FakeRun run;
    const std::string form = FormOf(rows);
    ASSERT_FALSE(CheckCells(run, &form).has_value()) << row_count << " rows";
    EXPECT_EQ(run.state.DataRowCount, row_count);
    ASSERT_EQ(run.state.FormLabels.size(), row_count);
    EXPECT_EQ(run.state.FormLabels.back(), LandmarkSet[(row_count - 1) % kLandmarkCount]);
  }
}

struct RefusalCase {
  const char* what;
  std::vector<std::string> rows;
  std::string page;  // as the console shows it, before the key
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.what; }

class CheckFormCellsRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CheckFormCellsRefusalTest, ShowsThePageOfTheFirstFaultAndLeavesAnEmptyTable) {
  const RefusalCase& c = GetParam();
  FakeRun run;
  run.scratch.Write("Work2.CSV", "an older table\r\n");
  const std::string form = FormOf(c.rows);
  std::optional<RunEnded> ended = CheckCells(run, &form);
  ASSERT_TRUE(ended.has_value()) << c.what << ": the form was accepted";
  EXPECT_EQ(run.console.transcript, c.page + "[key]") << c.what;
  testing::ExpectFormRefusalEnding(run, *ended, c.what);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CheckFormCellsRefusalTest,
    ::testing::Values(
        RefusalCase{
            "empty row inside the rows", {"CRAN,1,2,3", ",,,", "RSHO,1,2,3"}, BlankCellPageText()},
        RefusalCase{"empty line after the last row", {"CRAN,1,2,3", ""}, BlankCellPageText()},
        RefusalCase{"blank label", {"CRAN,1,2,3", ",1,2,3"}, BlankCellPageText()},
        RefusalCase{"blank z at the line end", {"CRAN,1,2,"}, BlankCellPageText()},
        RefusalCase{"quotes around nothing", {"CRAN,1,\"\",3"}, BlankCellPageText()},
        RefusalCase{"plus sign", {"CRAN,+1.5,2,3"}, NotANumberPageText("+1.5")},
        RefusalCase{"trailing space kept in the text", {"CRAN,1,2,12 "}, NotANumberPageText("12 ")},
        RefusalCase{"fraction", {"CRAN,1/2,2,3"}, NotANumberPageText("1/2")},
        RefusalCase{"three-cell row shifts a label into z",
                    {"CRAN,1,2", "RSHO,1,2,3"},
                    NotANumberPageText("RSHO")},
        RefusalCase{"decimal comma shifts the row",
                    {"CRAN,1,5,2,3", "RSHO,1,2,3"},
                    NotANumberPageText("RSHO")},
        RefusalCase{"x too large", {"CRAN,12345678901,2,3"}, TooLargePageText("12345678901")},
        RefusalCase{"y too large at the edge",
                    {"CRAN,1,9999999999.995,3"},
                    TooLargePageText("9999999999.995")},
        RefusalCase{
            "negative z too large", {"CRAN,1,2,-1234567890"}, TooLargePageText("-1234567890")},
        RefusalCase{"blank in row 3 before a non-number in row 5",
                    {"CRAN,1,2,3", "RSHO,1,2,3", "LSHO,1,,3", "RPEL,1,2,3", "LPEL,1a,2,3"},
                    BlankCellPageText()},
        RefusalCase{"non-number in row 3 before a blank in row 5",
                    {"CRAN,1,2,3", "RSHO,1,2,3", "LSHO,1,2,x", "RPEL,1,2,3", "LPEL,,2,3"},
                    NotANumberPageText("x")},
        RefusalCase{"too large before a later non-number",
                    {"CRAN,1,2,3", "RSHO,-1234567890,2,x"},
                    TooLargePageText("-1234567890")},
        RefusalCase{"fault in row 1000",
                    [] {
                      std::vector<std::string> rows(999, "TAIL,1,2,3");
                      rows.push_back("TAIL,1,2,3e");
                      return rows;
                    }(),
                    NotANumberPageText("3e")}));

}  // namespace
}  // namespace torsova
