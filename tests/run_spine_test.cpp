// The whole program as a process: the ending of a successful run and the
// hand-over to the viewer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/fake_platform.h"
#include "support/run_program.h"

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

std::string ExampleForm() {
  std::ifstream in(std::string(TORSOVA_SOURCE_DIR) + "/examples/BodyXYZ.CSV", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteViewer(const ScratchFolder& folder, const std::string& name, bool executable) {
  // Records its argument count and the folder as it finds it, then exits 42.
  folder.Write(name,
               "#!/bin/sh\n"
               "echo \"$#\" > viewer-arguments\n"
               "ls > viewer-listing\n"
               "exit 42\n");
  std::filesystem::permissions(std::filesystem::path(folder.path()) / name,
                               executable ? std::filesystem::perms::owner_all
                                          : std::filesystem::perms::owner_read |
                                                std::filesystem::perms::owner_write);
}

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
    WriteViewer(folder, name, true);
    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
    EXPECT_EQ(run.status, 42) << name;
    EXPECT_EQ(run.output, kSuccessReport) << name;
    EXPECT_EQ(folder.Read("viewer-arguments"), "0\n") << name;
    const std::string listing = folder.Read("viewer-listing");
    EXPECT_EQ(listing.find("Work"), std::string::npos) << name << " saw:\n" << listing;
  }
}

TEST(RunSpineTest, ViewerThatCannotStartEndsWithStatusZero) {
  ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", ExampleForm());
  WriteViewer(folder, "Gyrovex.exe", false);
  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kSuccessReport);
  EXPECT_FALSE(folder.Exists("viewer-arguments"));
}

TEST(RunSpineTest, InputAtItsEndOrClosedDoesNotHoldTheRun) {
  for (InputKind kind : {InputKind::kBytes, InputKind::kClosed}) {
    ScratchFolder folder;
    folder.Write("BodyXYZ.CSV", ExampleForm());
    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "", kind, 10);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, kSuccessReport);
  }
}

}  // namespace
}  // namespace torsova
