// The hand-over on Windows: the viewer runs as a process of its own, and the
// run does not wait for it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/fake_platform.h"
#include "support/run_program.h"
#include "support/viewer_stand_in.h"

namespace torsova {
namespace {

using testing::ExampleForm;

TEST(WindowsHandOverTest, RunEndsWhileTheViewerIsStillRunning) {
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", ExampleForm());
  testing::InstallViewerStandIn(folder, "Gyrovex.exe");
  folder.Write("viewer-hold", "");  // the stand-in waits while this is there

  testing::ProgramRun run = testing::RunProgram(testing::TorsovaBinary(), folder.path(), "k");
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 0);
  EXPECT_FALSE(folder.Exists("viewer-report")) << "the viewer finished before the run ended";

  std::remove((folder.path() + "\\viewer-hold").c_str());
  std::optional<testing::ViewerReport> report = testing::AwaitViewerReport(folder);
  ASSERT_TRUE(report.has_value()) << "the viewer did not start";
  EXPECT_EQ(report->arguments, 0);
}

TEST(WindowsHandOverTest, ViewerIsLookedForOnlyInTheFolderOfTheRun) {
  testing::ScratchFolder elsewhere;
  testing::InstallViewerStandIn(elsewhere, "Gyrovex.exe");
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", ExampleForm());

  // The run inherits a PATH that leads to a viewer.
  char old_path[32768] = {};
  const DWORD length = GetEnvironmentVariableA("PATH", old_path, sizeof old_path);
  ASSERT_LT(length, sizeof old_path);
  SetEnvironmentVariableA("PATH", (elsewhere.path() + ";" + old_path).c_str());
  testing::ProgramRun run = testing::RunProgram(testing::TorsovaBinary(), folder.path(), "k");
  SetEnvironmentVariableA("PATH", length == 0 ? nullptr : old_path);

  EXPECT_EQ(run.status, 0);
  EXPECT_FALSE(testing::AwaitViewerReport(folder, 2).has_value()) << "a viewer from the PATH ran";
}

}  // namespace
}  // namespace torsova
