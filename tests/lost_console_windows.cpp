// Windows: a run whose standard output is missing, or a pipe whose reader has
// gone, still writes its files and ends normally.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

const char kForm[] =
    "Subject,,,\r\nLabel,X,Y,Z\r\nCRAN,0,2,170\r\nRSHO,-20,0,150\r\nLSHO,20,0,150\r\n"
    "RPEL,-10,1,90\r\nLPEL,10,3,92\r\n";

// Runs torsova in `dir` with standard input from NUL and `output` as standard
// output; the exit status, or -1 when it did not end within 20 seconds.
int RunWithOutput(const std::string& dir, HANDLE output) {
  SECURITY_ATTRIBUTES inherit{};
  inherit.nLength = sizeof inherit;
  inherit.bInheritHandle = TRUE;
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  const std::string program = testing::TorsovaBinary();
  std::string command_line = "\"" + program + "\"";
  PROCESS_INFORMATION started{};
  const BOOL ok = CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                                 DETACHED_PROCESS, nullptr, dir.c_str(), &startup, &started);
  CloseHandle(input);
  if (!ok) return -2;
  CloseHandle(started.hThread);
  DWORD status = static_cast<DWORD>(-1);
  if (WaitForSingleObject(started.hProcess, 20000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(started.hProcess, &status);
  } else {
    TerminateProcess(started.hProcess, 1);
  }
  CloseHandle(started.hProcess);
  return static_cast<int>(status);
}

TEST(WindowsLostConsoleTest, MissingOutputStillWritesTheFigure) {
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", kForm);
  EXPECT_EQ(RunWithOutput(folder.path(), nullptr), 0);
  EXPECT_TRUE(folder.Exists("3D_BODY.ROT"));
}

TEST(WindowsLostConsoleTest, PipeWithoutReaderStillWritesTheFigure) {
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", kForm);
  SECURITY_ATTRIBUTES inherit{};
  inherit.nLength = sizeof inherit;
  inherit.bInheritHandle = TRUE;
  HANDLE reader = nullptr;
  HANDLE writer = nullptr;
  ASSERT_TRUE(CreatePipe(&reader, &writer, &inherit, 0));
  CloseHandle(reader);  // the reader goes away before anything is written
  EXPECT_EQ(RunWithOutput(folder.path(), writer), 0);
  CloseHandle(writer);
  EXPECT_TRUE(folder.Exists("3D_BODY.ROT"));
}

}  // namespace
}  // namespace torsova
