// A file of the run that cannot be written stops the run with its page and
// exit status 1, before any deletion, SUCCESS or viewer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/folder_posix.h"
#include "run/run_sequence.h"
#include "support/fake_platform.h"
#include "support/write_failure_runs.h"

namespace torsova {
namespace {

// Here the files are links to a device that is always full.
TEST(WriteFailureTest, FileOnAFullDeviceStopsTheRunWithStatusOne) {
  testing::ExpectEachWriteFailureStopsTheRun(
      [](const testing::ScratchFolder& folder, const std::string& name) {
        std::filesystem::create_symlink("/dev/full", std::filesystem::path(folder.path()) / name);
        return [] {};
      });
}

// Closes the file, but reports the figure file's close as failed, as a
// network folder does when the last write did not arrive.
int CloseFailingForTheFigure(int fd) {
  std::error_code error;
  const std::filesystem::path path =
      std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
  const int closed = ::close(fd);
  if (closed != 0 || path.filename() != "3D_BODY.ROT") return closed;
  errno = EIO;
  return -1;
}

TEST(WriteFailureTest, FailedCloseOfTheFigureStopsTheRunWithStatusOne) {
  testing::FakeRun run;
  run.scratch.Write("BodyXYZ.CSV", testing::ExampleForm());
  close_written_file = CloseFailingForTheFigure;
  std::optional<testing::RunEnded> ended = run.Until(RunSequence);
  close_written_file = ::close;
  ASSERT_TRUE(ended.has_value());
  EXPECT_EQ(ended->status, 1);
  EXPECT_FALSE(ended->viewer.has_value());
  EXPECT_NE(run.console.transcript.find("3D_BODY.ROT could not be written."), std::string::npos)
      << run.console.transcript;
  EXPECT_EQ(run.console.transcript.find("SUCCESS"), std::string::npos);
}

}  // namespace
}  // namespace torsova
