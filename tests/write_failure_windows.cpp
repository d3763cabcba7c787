// Windows: a file of the run that another program holds open without sharing
// (a spreadsheet showing a table, the viewer showing the last figure) cannot
// be written. The run stops with its page and exit status 1, the held file
// keeps its content, and the viewer is not started.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"
#include "support/viewer_stand_in.h"

namespace torsova {
namespace {

using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsovaBinary;

using testing::ExampleForm;

TEST(WindowsWriteFailureTest, FileHeldOpenByAnotherProgramStopsTheRunWithStatusOne) {
  struct Case {
    const char* held;      // the file another program holds
    const char* reported;  // the name on the page
    std::vector<std::string> left;
  };
  const std::vector<Case> cases = {
      {"Work2.CSV", "Work2.CSV", {"BodyXYZ.CSV", "Gyrovex.exe", "Work2.CSV"}},
      {"Work3.CSV",
       "Work3.CSV",
       {"BodyXYZ.CSV", "Gyrovex.exe", "Work2.CSV", "Work3.CSV", "Work4.CSV"}},
      {"work4.csv",
       "Work4.CSV",
       {"BodyXYZ.CSV", "Gyrovex.exe", "Work2.CSV", "Work3.CSV", "work4.csv"}},
      {"3D_BODY.ROT",
       "3D_BODY.ROT",
       {"3D_BODY.ROT", "BodyXYZ.CSV", "Gyrovex.exe", "Work2.CSV", "Work3.CSV", "Work4.CSV"}},
  };
  for (const Case& c : cases) {
    ScratchFolder folder;
    folder.Write("BodyXYZ.CSV", ExampleForm());
    testing::InstallViewerStandIn(folder, "Gyrovex.exe");
    folder.Write(c.held, "held by another program\r\n");
    const std::string held_path = folder.path() + "\\" + c.held;
    HANDLE held = CreateFileA(held_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << c.held;

    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
    CloseHandle(held);
    EXPECT_FALSE(run.timed_out) << c.held;
    EXPECT_EQ(run.status, 1) << c.held;
    EXPECT_EQ(run.output, "\r\n\r\nCan't proceed.\r\n\r\n" + std::string(c.reported) +
                              " could not be written.\r\n\r\n"
                              "                 Press any key to continue\r\n")
        << c.held;
    EXPECT_EQ(folder.List(), c.left) << c.held;
    EXPECT_EQ(folder.Read(c.held), "held by another program\r\n") << c.held;
  }
}

}  // namespace
}  // namespace torsova
