// A file of the run that cannot be written stops the run with its page and
// exit status 1, before any deletion, SUCCESS or viewer. Here the files are
// links to a device that is always full.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/write_failure_runs.h"

namespace torsova {
namespace {

TEST(WriteFailureTest, FileOnAFullDeviceStopsTheRunWithStatusOne) {
  testing::ExpectEachWriteFailureStopsTheRun(
      [](const testing::ScratchFolder& folder, const std::string& name) {
        std::filesystem::create_symlink("/dev/full", std::filesystem::path(folder.path()) / name);
        return [] {};
      });
}

}  // namespace
}  // namespace torsova
