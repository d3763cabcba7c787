// The whole program as a process: the ending of a successful run and the
// hand-over to the viewer.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "support/fake_platform.h"
#include "support/run_program.h"
#include "support/viewer_stand_in.h"

namespace torsova {
namespace {

using testing::InputKind;
using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsovaBinary;

const std::string kSuccessReport =
    "\r\n                          SUCCESS\r\n\r\n"
    "Gyrovex will now load. Open the file 3D_BODY.ROT.\r\n\r\n\r\n"
    "                 Press any key to continue\r\n";

using testing::ExampleForm;

TEST(RunSpineTest, SuccessfulRunDeletesTablesReportsAndEndsWithoutViewer) {
  ScratchFolder folder;
  const std::string form = ExampleForm();
  folder.Write("BodyXYZ.CSV", form);
  folder.Write("Work3.CSV", "left by an earlier run\r\n");
  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kSuccessReport);
  for (const char* table : {"Work2.CSV", "Work3.CSV", "Work4.CSV"}) {
    EXPECT_FALSE(folder.Exists(table)) << table;
  }
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), form);
}

TEST(RunSpineTest, HandsOverToTheViewerWithNoArgumentsAfterTheCleanUp) {
  for (const char* name : {"Gyrovex.exe", "gyrovex.EXE"}) {
    ScratchFolder folder;
    folder.Write("BodyXYZ.CSV", ExampleForm());
    testing::InstallViewerStandIn(folder, name);
    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
    EXPECT_EQ(run.status, testing::StatusAfterHandOver()) << name;
    EXPECT_EQ(run.output, kSuccessReport) << name;
    std::optional<testing::ViewerReport> report = testing::AwaitViewerReport(folder);
    ASSERT_TRUE(report.has_value()) << name << ": the viewer did not start";
    EXPECT_EQ(report->arguments, 0) << name;
    for (const std::string& entry : report->listing) {
      EXPECT_EQ(entry.find("Work"), std::string::npos) << name << " saw " << entry;
    }
    // Started in the folder of the run, where the figure waits for it.
    for (const char* kept : {"BodyXYZ.CSV", "3D_BODY.ROT"}) {
      EXPECT_NE(std::find(report->listing.begin(), report->listing.end(), kept),
                report->listing.end())
          << name << " did not see " << kept;
    }
  }
}

TEST(RunSpineTest, ViewerThatCannotStartEndsWithStatusZero) {
  ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", ExampleForm());
  testing::InstallBrokenViewer(folder, "Gyrovex.exe");
  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kSuccessReport);
  EXPECT_FALSE(folder.Exists("viewer-report"));
}

TEST(RunSpineTest, InputAtItsEndClosedOrADeviceDoesNotHoldTheRun) {
  const struct {
    InputKind kind;
    const char* what;
  } inputs[] = {{InputKind::kBytes, "empty input"},
                {InputKind::kClosed, "closed input"},
                {InputKind::kNullDevice, "null device"}};
  for (const auto& input : inputs) {
    ScratchFolder folder;
    folder.Write("BodyXYZ.CSV", ExampleForm());
    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "", input.kind, 10);
    EXPECT_FALSE(run.timed_out) << input.what;
    EXPECT_EQ(run.status, 0) << input.what;
    EXPECT_EQ(run.output, kSuccessReport) << input.what;
  }
}

}  // namespace
}  // namespace torsova
