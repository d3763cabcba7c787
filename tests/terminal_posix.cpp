// The program on a real terminal: the clear sequence, the raw key wait in
// which Ctrl-C is an ordinary key, and the terminal settings put back after.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

// Reads from the terminal until `wanted` has been seen or the time is up.
bool ReadUntil(int master, std::string& seen, const std::string& wanted, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (seen.find(wanted) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{master, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char bytes[256];
    ssize_t got = ::read(master, bytes, sizeof bytes);
    if (got <= 0) return seen.find(wanted) != std::string::npos;
    seen.append(bytes, static_cast<std::size_t>(got));
  }
  return true;
}

TEST(TerminalTest, ClearsWaitsRawForCtrlCAndRestoresTheTerminal) {
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", testing::ExampleForm());

  int master = -1;
  pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::chdir(folder.path().c_str()) != 0) ::_exit(127);
    const std::string binary = testing::TorsovaBinary();
    ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }

  std::string seen;
  ASSERT_TRUE(ReadUntil(master, seen, "Press any key to continue", 10000)) << seen;
  EXPECT_EQ(seen.rfind("\x1b[H\x1b[2J", 0), 0u) << "the run starts with a cleared screen";

  // While the program waits, the terminal is raw: no echo, no line editing, no signals.
  termios during{};
  bool raw_seen = false;
  for (int i = 0; i < 200 && !raw_seen; ++i) {
    ASSERT_EQ(::tcgetattr(master, &during), 0);
    raw_seen = (during.c_lflag & (ECHO | ICANON | ISIG)) == 0;
    if (!raw_seen) ::usleep(10000);
  }
  EXPECT_TRUE(raw_seen);

  ASSERT_EQ(::write(master, "\x03", 1), 1);  // Ctrl-C: a key like any other
  int status = 0;
  for (int i = 0; i < 1000 && ::waitpid(child, &status, WNOHANG) == 0; ++i) ::usleep(10000);
  if (::waitpid(child, &status, WNOHANG) == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    FAIL() << "the key did not end the wait";
  }
  EXPECT_TRUE(WIFEXITED(status)) << "Ctrl-C must not end the run as a signal";
  EXPECT_EQ(WEXITSTATUS(status), 0);

  termios after{};
  ASSERT_EQ(::tcgetattr(master, &after), 0);
  EXPECT_NE(after.c_lflag & ECHO, 0u);
  EXPECT_NE(after.c_lflag & ICANON, 0u);
  EXPECT_NE(after.c_lflag & ISIG, 0u);
  ::close(master);
}

}  // namespace
}  // namespace torsova
