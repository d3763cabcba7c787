#include "tables/derive_landmarks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/accepted_form.h"
#include "support/failing_folder.h"
#include "support/fake_platform.h"
#include "tables/build_landmark_table.h"

namespace torsova {
namespace {

using testing::ExampleRows;
using testing::FakeRun;
using testing::MakeForm;
using testing::PrepareAcceptedForm;
using testing::SplitLines;

const std::vector<std::string> kTorsoRows = {"LPEL,10,3,92", "RSHO,-20,0,150", "CRAN,0,2,170",
                                             "RPEL,-10,1,90", "LSHO,20,0,150"};

// A run on `rows` through the table build and this stage.
std::unique_ptr<FakeRun> Derive(const std::vector<std::string>& rows) {
  auto run = std::make_unique<FakeRun>();
  PrepareAcceptedForm(*run, MakeForm("T", rows));
  EXPECT_FALSE(run->Until([](RunState& state) {
    BuildLandmarkTable(state);
    DeriveLandmarks(state);
  })) << run->console.transcript;
  EXPECT_EQ(run->console.transcript, "");
  return run;
}

TEST(DeriveLandmarksTest, SortsRowsAddsNeckAndSacrumAndMovesTheCranium) {
  std::unique_ptr<FakeRun> run = Derive(kTorsoRows);
  // Missing landmarks keep the cranium point of the form, not the moved one.
  auto fallback3 = [](const char* label) {
    return " 0 ," + std::string(label) + ",          0.00 ,          2.00 , 170";
  };
  auto fallback4 = [](const char* label) {
    return std::string(label) + ",          0.00 ,          2.00 , 170";
  };
  EXPECT_EQ(SplitLines(run->scratch.Read("Work3.CSV")),
            (std::vector<std::string>{
                " 1 ,CRAN,          0.00 ,          2.00 , 170",
                " 1 ,RSHO,        -20.00 ,          0.00 , 150",
                fallback3("RELB"),
                fallback3("RWRI"),
                fallback3("RFNG"),
                " 1 ,LSHO,         20.00 ,          0.00 , 150",
                fallback3("LELB"),
                fallback3("LWRI"),
                fallback3("LFNG"),
                " 1 ,RPEL,        -10.00 ,          1.00 , 90",
                fallback3("RKNE"),
                fallback3("RANK"),
                fallback3("RTOE"),
                " 1 ,LPEL,         10.00 ,          3.00 , 92",
                fallback3("LKNE"),
                fallback3("LANK"),
                fallback3("LTOE"),
                fallback3("TAIL"),
            }));
  const std::string work4 = run->scratch.Read("Work4.CSV");
  EXPECT_EQ(SplitLines(work4), (std::vector<std::string>{
                                   "CRAN,          0.00 ,          1.00 , 160",
                                   "NECK,          0.00 ,          0.00 , 150",
                                   "RSHO,        -20.00 ,          0.00 , 150",
                                   fallback4("RELB"),
                                   fallback4("RWRI"),
                                   fallback4("RFNG"),
                                   "LSHO,         20.00 ,          0.00 , 150",
                                   fallback4("LELB"),
                                   fallback4("LWRI"),
                                   fallback4("LFNG"),
                                   "RPEL,        -10.00 ,          1.00 , 90",
                                   "SACR,          0.00 ,          2.00 , 91",
                                   fallback4("RKNE"),
                                   fallback4("RANK"),
                                   fallback4("RTOE"),
                                   "LPEL,         10.00 ,          3.00 , 92",
                                   fallback4("LKNE"),
                                   fallback4("LANK"),
                                   fallback4("LTOE"),
                                   fallback4("TAIL"),
                               }));
  EXPECT_EQ(work4.substr(work4.size() - 2), "\r\n");
  const std::array<float, kLandmarkCount> presence = {1, 1, 0, 0, 0, 1, 0, 0, 0,
                                                      1, 0, 0, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(run->state.TablePresenceFlags, presence);
}

TEST(DeriveLandmarksTest, GivenKneeIsCopiedInFullThenMasked) {
  std::vector<std::string> rows = kTorsoRows;
  rows.push_back("RKNE,10.25,-7.5,3");
  std::unique_ptr<FakeRun> run = Derive(rows);
  const std::vector<std::string> work3 = SplitLines(run->scratch.Read("Work3.CSV"));
  const std::vector<std::string> work4 = SplitLines(run->scratch.Read("Work4.CSV"));
  ASSERT_EQ(work3.size(), 18u);
  ASSERT_EQ(work4.size(), 20u);
  EXPECT_EQ(work3[10], " 1 ,RKNE, 10.25,-7.5, 3");
  EXPECT_EQ(work4[12], "RKNE,         10.25 ,         -7.50 , 3");
  EXPECT_EQ(run->state.TablePresenceFlags[10], 1.0f);
}

TEST(DeriveLandmarksTest, HalfwayNeckRoundsAwayFromZeroInTheMask) {
  std::unique_ptr<FakeRun> run =
      Derive({"CRAN,0,0,0", "RSHO,12.35,0,0", "LSHO,12.36,0,0", "RPEL,0,0,0", "LPEL,0,0,0"});
  const std::vector<std::string> work4 = SplitLines(run->scratch.Read("Work4.CSV"));
  ASSERT_EQ(work4.size(), 20u);
  EXPECT_EQ(work4[1], "NECK,         12.36 ,          0.00 , 0");
}

TEST(DeriveLandmarksTest, OrderOfTheFormRowsDoesNotMatter) {
  std::unique_ptr<FakeRun> in_order = Derive(ExampleRows());
  std::vector<std::string> shuffled = ExampleRows();
  std::reverse(shuffled.begin(), shuffled.end());
  std::rotate(shuffled.begin(), shuffled.begin() + 7, shuffled.end());
  std::unique_ptr<FakeRun> other = Derive(shuffled);
  EXPECT_NE(in_order->scratch.Read("Work2.CSV"), other->scratch.Read("Work2.CSV"));
  EXPECT_EQ(in_order->scratch.Read("Work3.CSV"), other->scratch.Read("Work3.CSV"));
  EXPECT_EQ(in_order->scratch.Read("Work4.CSV"), other->scratch.Read("Work4.CSV"));
  EXPECT_EQ(in_order->state.TablePresenceFlags, other->state.TablePresenceFlags);
  EXPECT_EQ(SplitLines(in_order->scratch.Read("Work4.CSV")).size(), 20u);
}

TEST(DeriveLandmarksTest, TableThatCannotBeWrittenStopsTheRunWithStatusOne) {
  struct Case {
    std::set<std::string> full;  // names that cannot be written
    const char* reported;
  };
  const std::vector<Case> cases = {
      {{"Work3.CSV"}, "Work3.CSV"},
      {{"work4.csv"}, "Work4.CSV"},
      {{"Work3.CSV", "Work4.CSV"}, "Work3.CSV"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<FakeRun> run = Derive(kTorsoRows);
    testing::FullDiskFolder full(*run->folder, c.full);
    RunState state(Platform{run->console, full, run->process});
    std::optional<testing::RunEnded> ended = run->Until([&](RunState&) { DeriveLandmarks(state); });
    ASSERT_TRUE(ended) << c.reported;
    EXPECT_EQ(ended->status, 1) << c.reported;
    EXPECT_FALSE(ended->viewer) << c.reported;
    EXPECT_EQ(run->console.transcript, "\r\n\r\nCan't proceed.\r\n\r\n" + std::string(c.reported) +
                                           " could not be written.\r\n\r\n"
                                           "                 Press any key to continue\r\n[key]");
  }
}

}  // namespace
}  // namespace torsova
