#include "intake/check_labels_and_torso.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intake/check_form_cells.h"
#include "support/fake_platform.h"
#include "support/form_pages.h"
#include "support/refusal_ending.h"

namespace torsova {
namespace {

using testing::FakeRun;
using testing::FormOf;
using testing::RunEnded;
using testing::TorsoPageText;
using testing::TorsoRows;
using testing::UnknownLabelPageText;

// Runs stages 1 and 2 on `form` (none when null), as the run does.
std::optional<RunEnded> CheckLabels(FakeRun& run, const std::string* form) {
  if (form) run.scratch.Write("BodyXYZ.CSV", *form);
  return run.Until([](RunState& state) {
    CheckFormCells(state);
    CheckLabelsAndTorso(state);
  });
}

// The labels marked present, in LandmarkSet order.
std::vector<std::string_view> Present(const RunState& state) {
  std::vector<std::string_view> present;
  for (std::size_t i = 0; i < kLandmarkCount; ++i) {
    if (state.PresenceFlags[i]) present.push_back(LandmarkSet[i]);
  }
  return present;
}

std::vector<std::string> With(std::vector<std::string> rows, const std::string& row) {
  rows.push_back(row);
  return rows;
}

TEST(CheckLabelsAndTorsoTest, TorsoAloneIsAcceptedWithOnlyItsMarks) {
  FakeRun run;
  const std::string form = FormOf(TorsoRows());
  ASSERT_FALSE(CheckLabels(run, &form).has_value()) << run.console.transcript;
  EXPECT_EQ(Present(run.state),
            (std::vector<std::string_view>{"CRAN", "RSHO", "LSHO", "RPEL", "LPEL"}));
  EXPECT_EQ(run.console.transcript, "");
  EXPECT_NE(run.state.landmark_table, nullptr) << "the table must stay open for the build";
}

TEST(CheckLabelsAndTorsoTest, LenientLabelsPassButMarkOnlyExactOnes) {
  FakeRun run;
  std::vector<std::string> rows = TorsoRows();
  for (const char* row : {"relb,1,2,3", "xLELB,1,2,3", "RSHO,7,8,9", "RKNE,1,2,3"}) {
    rows.push_back(row);
  }
  const std::string form = FormOf(rows);
  ASSERT_FALSE(CheckLabels(run, &form).has_value()) << run.console.transcript;
  EXPECT_EQ(Present(run.state),
            (std::vector<std::string_view>{"CRAN", "RSHO", "LSHO", "RPEL", "RKNE", "LPEL"}));
}

TEST(CheckLabelsAndTorsoTest, ThousandRowsMarkEveryLandmark) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < 1000; ++i) {
    rows.push_back(std::string(LandmarkSet[(i * 7) % kLandmarkCount]) + ",1,2,3");
  }
  FakeRun run;
  const std::string form = FormOf(rows);
  ASSERT_FALSE(CheckLabels(run, &form).has_value()) << run.console.transcript;
  EXPECT_EQ(Present(run.state).size(), kLandmarkCount);
}

struct RefusalCase {
  const char* what;
  std::vector<std::string> rows;
  std::string page;  // as the console shows it, between the clear (if any) and the key
  bool clears;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.what; }

class CheckLabelsRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CheckLabelsRefusalTest, ShowsItsPageAndLeavesAnEmptyTable) {
  const RefusalCase& c = GetParam();
  FakeRun run;
  const std::string form = FormOf(c.rows);
  std::optional<RunEnded> ended = CheckLabels(run, &form);
  ASSERT_TRUE(ended.has_value()) << c.what << ": the form was accepted";
  EXPECT_EQ(run.console.transcript, (c.clears ? "[clear]" : "") + c.page + "[key]") << c.what;
  testing::ExpectFormRefusalEnding(run, *ended, c.what);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, CheckLabelsRefusalTest,
    ::testing::Values(
        RefusalCase{"Shoulder", With(TorsoRows(), "Shoulder,1,2,3"), UnknownLabelPageText("lder"),
                    false},
        RefusalCase{"abc", With(TorsoRows(), "abc,1,2,3"), UnknownLabelPageText("abc"), false},
        RefusalCase{"head", With(TorsoRows(), "head,1,2,3"), UnknownLabelPageText("head"), false},
        RefusalCase{"Head", With(TorsoRows(), "Head,1,2,3"), UnknownLabelPageText("Head"), false},
        RefusalCase{"NECK", With(TorsoRows(), "NECK,1,2,3"), UnknownLabelPageText("NECK"), false},
        RefusalCase{"SACR", With(TorsoRows(), "SACR,1,2,3"), UnknownLabelPageText("SACR"), false},
        RefusalCase{"space after the code", With(TorsoRows(), "CRAN ,1,2,3"),
                    UnknownLabelPageText("RAN "), false},
        RefusalCase{"first unknown label in form order",
                    {"CRAN,1,2,3", "Elbow,1,2,3", "Knee,1,2,3"},
                    UnknownLabelPageText("lbow"),
                    false},
        RefusalCase{"unknown label wins over a missing torso",
                    {"RELB,1,2,3", "abc,1,2,3"},
                    UnknownLabelPageText("abc"),
                    false},
        RefusalCase{"no data rows", {}, TorsoPageText(), true},
        RefusalCase{"cran instead of CRAN",
                    {"cran,1,2,3", "LSHO,1,2,3", "RSHO,1,2,3", "LPEL,1,2,3", "RPEL,1,2,3"},
                    TorsoPageText(),
                    true},
        RefusalCase{"xCRAN instead of CRAN",
                    {"xCRAN,1,2,3", "LSHO,1,2,3", "RSHO,1,2,3", "LPEL,1,2,3", "RPEL,1,2,3"},
                    TorsoPageText(),
                    true},
        RefusalCase{"no LSHO",
                    {"CRAN,1,2,3", "RSHO,1,2,3", "LPEL,1,2,3", "RPEL,1,2,3"},
                    TorsoPageText(),
                    true},
        RefusalCase{"no RSHO",
                    {"CRAN,1,2,3", "LSHO,1,2,3", "LPEL,1,2,3", "RPEL,1,2,3"},
                    TorsoPageText(),
                    true},
        RefusalCase{"no LPEL",
                    {"CRAN,1,2,3", "LSHO,1,2,3", "RSHO,1,2,3", "RPEL,1,2,3"},
                    TorsoPageText(),
                    true},
        RefusalCase{"no RPEL",
                    {"CRAN,1,2,3", "LSHO,1,2,3", "RSHO,1,2,3", "LPEL,1,2,3"},
                    TorsoPageText(),
                    true}));

TEST(CheckLabelsAndTorsoTest, MissingFormReachesTheTorsoPage) {
  FakeRun run;
  std::optional<RunEnded> ended = CheckLabels(run, nullptr);
  ASSERT_TRUE(ended.has_value());
  EXPECT_EQ(run.console.transcript, "[clear]" + TorsoPageText() + "[key]");
  EXPECT_EQ(ended->status, 0);
  EXPECT_EQ(run.scratch.List(), std::vector<std::string>{"Work2.CSV"});
  EXPECT_EQ(run.scratch.Read("Work2.CSV"), "");
}

}  // namespace
}  // namespace torsova
