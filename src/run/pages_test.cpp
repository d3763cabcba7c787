#include "run/pages.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_platform.h"

namespace torsova {
namespace {

using testing::FakeRun;
using testing::RunEnded;

const std::string kContinue = "                 Press any key to continue\r\n";

struct PageCase {
  const char* page;
  std::function<void(RunState&)> show;
  std::string transcript;  // everything on the console, with [clear], [bell] and [key]
  int status;
  bool viewer;  // whether the viewer is tried after the key
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.page; }

class PageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageTest, ShowsExactLinesAndEndsAsItShould) {
  const PageCase& c = GetParam();
  FakeRun run;
  std::optional<RunEnded> ended = run.Until(c.show);
  ASSERT_TRUE(ended.has_value()) << c.page << " returned to its caller";
  EXPECT_EQ(run.console.transcript, c.transcript) << c.page;
  EXPECT_EQ(ended->status, c.status) << c.page;
  EXPECT_EQ(ended->viewer.has_value(), c.viewer) << c.page;
  if (c.viewer) {
    EXPECT_EQ(*ended->viewer, "Gyrovex.exe");
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllPages, PageTest,
    ::testing::Values(
        PageCase{"blank cell", ShowBlankCellPage,
                 "\r\n\r\nCan't proceed.\r\n\r\n"
                 "You have a blank cell in the rows of the .CSV form you filled in.\r\n\r\n" +
                     kContinue + "[key]",
                 0, false},
        PageCase{"not a number", [](RunState& s) { ShowNotANumberPage(s, "12a"); },
                 "\r\n\r\nCan't proceed.\r\n\r\n12a is not a number.\r\n\r\n"
                 "Edit the .CSV form you filled in.\r\n\r\n" +
                     kContinue + "[key]",
                 0, false},
        PageCase{"too large", [](RunState& s) { ShowTooLargePage(s, "12345678901"); },
                 "\r\n\r\nCan't proceed.\r\n\r\n12345678901 is too large a coordinate.\r\n\r\n"
                 "Edit the .CSV form you filled in.\r\n\r\n" +
                     kContinue + "[key]",
                 0, false},
        PageCase{"unknown label", [](RunState& s) { ShowUnknownLabelPage(s, "RAN "); },
                 "Can't continue.\r\n\r\nRAN  is not a legitimate anatomical label.\r\n\r\n"
                 "Edit the .CSV form you filled in.\r\n\r\n" +
                     kContinue + "[key]",
                 0, false},
        PageCase{"torso missing", ShowTorsoPage,
                 "[clear]\r\nCan't continue.\r\n\r\nEither no file BodyXYZ.CSV has been saved.\r\n"
                 "\r\nOr no torso is present. You must have points\r\n"
                 "CRAN, LSHO, RSHO, LPEL, RPEL.\r\n\r\n\r\n\r\n"
                 "                 Press any key to abort\r\n[key]",
                 0, false},
        PageCase{"blank line", ShowBlankLineNotice,
                 "[bell]There is a blank line in the individual's data.\r\n\r\n\r\n\r\n" +
                     kContinue + "[key]",
                 0, true},
        PageCase{"line count 17", [](RunState& s) { ShowLineCountNotice(s, 17); },
                 "[bell]There are 17lines. There must be 18.\r\n\r\n\r\n\r\n" + kContinue + "[key]",
                 0, true},
        PageCase{"line count 0", [](RunState& s) { ShowLineCountNotice(s, 0); },
                 "[bell]There are 0lines. There must be 18.\r\n\r\n\r\n\r\n" + kContinue + "[key]",
                 0, true},
        PageCase{"field count 91", [](RunState& s) { ShowFieldCountNotice(s, 91); },
                 "[bell]You do not have four cells in each row. \r\n"
                 "There are 91cells, and there should be 72.\r\n\r\n\r\n\r\n" +
                     kContinue + "[key]",
                 0, true},
        PageCase{"write failure", [](RunState& s) { ShowWriteFailurePage(s, "3D_BODY.ROT"); },
                 "\r\n\r\nCan't proceed.\r\n\r\n3D_BODY.ROT could not be written.\r\n\r\n" +
                     kContinue + "[key]",
                 1, false}));

TEST(PageTest, StopClosesTheOpenTable) {
  FakeRun run;
  run.state.landmark_table = std::make_unique<OutputChannel>(*run.folder, "Work2.CSV");
  run.state.landmark_table->WriteText("kept", true);
  run.Until(ShowBlankCellPage);
  EXPECT_EQ(run.state.landmark_table, nullptr);
  EXPECT_EQ(run.scratch.Read("Work2.CSV"), "kept\r\n");
}

}  // namespace
}  // namespace torsova
