// An output interrupted by SIGINT, SIGTERM or SIGHUP while it is written
// leaves no temporary file and the older file as it was; the program still
// ends by the signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/path_files.h"
#include "support/fake_platform.h"

namespace torsova {
namespace {

TEST(PathFilesTest, InterruptRemovesTheTemporaryFile) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    testing::ScratchFolder folder;
    folder.Write("out.svg", "an older drawing");
    int written[2];
    ASSERT_EQ(::pipe(written), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      // Half a drawing written, then waiting for the signal. A test run in
      // the background inherits SIGINT ignored, which the output respects.
      for (const int interrupt : {SIGINT, SIGTERM, SIGHUP}) ::signal(interrupt, SIG_DFL);
      std::string reason;
      auto output = OpenNamedOutput(folder.path() + "/out.svg", reason);
      const bool wrote = output && output->Write(std::string(1 << 20, 'x'));
      if (::write(written[1], wrote ? "y" : "n", 1) != 1) ::_exit(3);
      for (;;) ::pause();
    }
    char answer = 0;
    ASSERT_EQ(::read(written[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y');
    EXPECT_EQ(folder.List().size(), 2u) << "the temporary file is there while written";
    ::kill(child, signal_number);
    int status = 0;
    // A child the signal did not end is ended after ten seconds, and fails.
    for (int waited = 0; ::waitpid(child, &status, WNOHANG) == 0; ++waited) {
      if (waited == 10000) ::kill(child, SIGKILL);
      ::usleep(1000);
    }
    ::close(written[0]);
    ::close(written[1]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << signal_number;
    EXPECT_EQ(folder.List(), std::vector<std::string>{"out.svg"}) << signal_number;
    EXPECT_EQ(folder.Read("out.svg"), "an older drawing") << signal_number;
  }
}

}  // namespace
}  // namespace torsova
