#include "support/write_failure_runs.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/run_program.h"
#include "support/viewer_stand_in.h"

namespace torsova::testing {

void ExpectEachWriteFailureStopsTheRun(const SpoilFile& spoil) {
  struct Case {
    const char* spoiled;   // the file made unwritable
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
    InstallViewerStandIn(folder, "Gyrovex.exe");
    const std::function<void()> after = spoil(folder, c.spoiled);

    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
    after();
    EXPECT_FALSE(run.timed_out) << c.spoiled;
    EXPECT_EQ(run.status, 1) << c.spoiled;
    EXPECT_EQ(run.output, "\r\n\r\nCan't proceed.\r\n\r\n" + std::string(c.reported) +
                              " could not be written.\r\n\r\n"
                              "                 Press any key to continue\r\n")
        << c.spoiled;
    EXPECT_EQ(folder.List(), c.left) << c.spoiled;
  }
}

}  // namespace torsova::testing
