// The key wait when standard input is a pipe: the run waits for a byte to
// arrive rather than going on at once, and goes on as soon as one does.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

// The run's state after waiting up to `ms` milliseconds: true once it ended.
bool EndsWithin(pid_t child, int ms, int& status) {
  for (int waited = 0; waited < ms; waited += 10) {
    if (::waitpid(child, &status, WNOHANG) == child) return true;
    ::usleep(10000);
  }
  return false;
}

TEST(KeyWaitPipeTest, WaitsOnAnEmptyPipeAndGoesOnAtOneByte) {
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", testing::ExampleForm());
  int keys[2];
  ASSERT_EQ(::pipe(keys), 0);

  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(keys[1]);
    ::dup2(keys[0], STDIN_FILENO);
    int null_output = ::open("/dev/null", O_WRONLY);
    ::dup2(null_output, STDOUT_FILENO);
    if (::chdir(folder.path().c_str()) != 0) ::_exit(127);
    const std::string binary = testing::TorsovaBinary();
    ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(keys[0]);

  int status = 0;
  const bool ended_early = EndsWithin(child, 1500, status);
  EXPECT_FALSE(ended_early) << "the run did not wait for a key";
  if (!ended_early) {
    ASSERT_EQ(::write(keys[1], "k", 1), 1);  // the pipe stays open
    if (!EndsWithin(child, 10000, status)) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      FAIL() << "one byte did not end the wait";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  ::close(keys[1]);
}

}  // namespace
}  // namespace torsova
