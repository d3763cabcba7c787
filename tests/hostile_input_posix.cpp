// A hostile system around the run: something other than a file in place of
// the form, and a console that is closed or goes away. The run must end
// through a defined ending within a bounded time and still write its files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ExampleForm;
using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsovaBinary;

// Something other than a readable file stands in for the form: it reads as an
// empty form, and the run ends on the torso page at once.
TEST(HostileInputTest, FormThatIsNotAFile) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
  };
  const Case cases[] = {
      {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
      {"FIFO", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); }},
      {"dangling symlink",
       [](const std::string& path) { std::filesystem::create_symlink("nowhere.csv", path); }},
      {"endless device",
       [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); }},
  };
  for (const Case& c : cases) {
    ScratchFolder folder;
    c.make(folder.path() + "/BodyXYZ.CSV");
    ProgramRun run =
        RunProgram(TorsovaBinary(), folder.path(), "k", testing::InputKind::kBytes, 20);
    ASSERT_FALSE(run.timed_out) << c.name;
    EXPECT_EQ(run.status, 0) << c.name;
    EXPECT_NE(run.output.find("no torso is present"), std::string::npos) << c.name;
    EXPECT_TRUE(folder.Exists("Work2.CSV")) << c.name;
  }
}

// Runs the program with standard input from /dev/null and standard output
// closed, or a pipe whose reader has gone; returns the exit status.
int RunWithOddStreams(const std::string& dir, bool output_closed) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return -1;
  pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    int null_input = ::open("/dev/null", O_RDONLY);
    ::dup2(null_input, STDIN_FILENO);
    ::close(pipe_ends[0]);
    if (output_closed) {
      ::close(STDOUT_FILENO);
    } else {
      ::dup2(pipe_ends[1], STDOUT_FILENO);
    }
    ::close(pipe_ends[1]);
    const std::string binary = TorsovaBinary();
    ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipe_ends[0]);  // the reader goes away before anything is written
  ::close(pipe_ends[1]);
  int status = 0;
  for (int i = 0; i < 2000 && ::waitpid(child, &status, WNOHANG) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (::waitpid(child, &status, WNOHANG) == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return -2;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

TEST(HostileInputTest, LostConsoleStillWritesTheFigure) {
  for (bool output_closed : {true, false}) {
    ScratchFolder folder;
    folder.Write("BodyXYZ.CSV", ExampleForm());
    EXPECT_EQ(RunWithOddStreams(folder.path(), output_closed), 0) << output_closed;
    EXPECT_TRUE(folder.Exists("3D_BODY.ROT")) << output_closed;
    EXPECT_FALSE(folder.Exists("Work2.CSV")) << output_closed;
  }
}

}  // namespace
}  // namespace torsova
