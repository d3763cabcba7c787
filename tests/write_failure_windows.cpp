// Windows: a file of the run that another program holds open without sharing
// (a spreadsheet showing a table, the viewer showing the last figure) cannot
// be written. The run stops with its page and exit status 1, the held file
// keeps its content, and the viewer is not started.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/write_failure_runs.h"

namespace torsova {
namespace {

TEST(WindowsWriteFailureTest, FileHeldOpenByAnotherProgramStopsTheRunWithStatusOne) {
  testing::ExpectEachWriteFailureStopsTheRun(
      [](const testing::ScratchFolder& folder, const std::string& name) {
        folder.Write(name, "held by another program\r\n");
        const std::string path = folder.path() + "\\" + name;
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(held, INVALID_HANDLE_VALUE) << name;
        return [&folder, name, held] {
          CloseHandle(held);
          EXPECT_EQ(folder.Read(name), "held by another program\r\n") << name;
        };
      });
}

}  // namespace
}  // namespace torsova
