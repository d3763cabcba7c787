// A file of the run that cannot be written stops the run with its page and
// exit status 1, before any deletion, SUCCESS or viewer. POSIX only: the
// files are links to a device that is always full.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsovaBinary;

using testing::ExampleForm;

TEST(WriteFailureTest, FileOnAFullDeviceStopsTheRunWithStatusOne) {
  struct Case {
    const char* full;      // linked to a device that is always full
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
    folder.Write("Gyrovex.exe", "#!/bin/sh\ntouch viewer-started\n");
    fs::permissions(fs::path(folder.path()) / "Gyrovex.exe", fs::perms::owner_all);
    fs::create_symlink("/dev/full", fs::path(folder.path()) / c.full);

    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
    EXPECT_FALSE(run.timed_out) << c.full;
    EXPECT_EQ(run.status, 1) << c.full;
    EXPECT_EQ(run.output, "\r\n\r\nCan't proceed.\r\n\r\n" + std::string(c.reported) +
                              " could not be written.\r\n\r\n"
                              "                 Press any key to continue\r\n")
        << c.full;
    EXPECT_EQ(folder.List(), c.left) << c.full;
  }
}

}  // namespace
}  // namespace torsova
