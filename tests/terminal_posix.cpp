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
#include <utmp.h>

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

// Starts torsova on the example form in `folder` with a new terminal as its
// console; the caller keeps both ends of the terminal.
pid_t StartOnTerminal(const testing::ScratchFolder& folder, int& master, int& slave) {
  folder.Write("BodyXYZ.CSV", testing::ExampleForm());
  if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return -1;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(master);
    if (::login_tty(slave) != 0 || ::chdir(folder.path().c_str()) != 0) ::_exit(127);
    const std::string binary = testing::TorsovaBinary();
    ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

// Waits up to ten seconds for the run to end; kills it if it does not.
bool Finishes(pid_t child, int& status) {
  for (int i = 0; i < 1000; ++i) {
    if (::waitpid(child, &status, WNOHANG) == child) return true;
    ::usleep(10000);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return false;
}

TEST(TerminalTest, ClearsWaitsRawForCtrlCAndRestoresTheTerminal) {
  testing::ScratchFolder folder;
  int master = -1;
  int slave = -1;
  pid_t child = StartOnTerminal(folder, master, slave);
  ASSERT_GE(child, 0);
  ::close(slave);

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
  ASSERT_TRUE(Finishes(child, status)) << "the key did not end the wait";
  EXPECT_TRUE(WIFEXITED(status)) << "Ctrl-C must not end the run as a signal";
  EXPECT_EQ(WEXITSTATUS(status), 0);

  termios after{};
  ASSERT_EQ(::tcgetattr(master, &after), 0);
  EXPECT_NE(after.c_lflag & ECHO, 0u);
  EXPECT_NE(after.c_lflag & ICANON, 0u);
  EXPECT_NE(after.c_lflag & ISIG, 0u);
  ::close(master);
}

// An arrow key sends ESC [ A; the wait takes the ESC, and the rest must not be
// left for the shell or the viewer to read after the run.
TEST(TerminalTest, KeyOfSeveralBytesLeavesNothingBehind) {
  testing::ScratchFolder folder;
  int master = -1;
  int slave = -1;
  pid_t child = StartOnTerminal(folder, master, slave);
  ASSERT_GE(child, 0);
  std::string seen;
  ASSERT_TRUE(ReadUntil(master, seen, "Press any key to continue", 10000)) << seen;
  termios during{};
  for (int i = 0; i < 200 && ::tcgetattr(master, &during) == 0 && (during.c_lflag & ICANON) != 0;
       ++i) {
    ::usleep(10000);
  }
  ASSERT_EQ(::write(master, "\x1b[A", 3), 3);
  int status = 0;
  ASSERT_TRUE(Finishes(child, status)) << "the key did not end the wait";

  // Read what is left on the terminal, without waiting for a line end.
  termios left_over{};
  ASSERT_EQ(::tcgetattr(slave, &left_over), 0);
  left_over.c_lflag &= ~static_cast<tcflag_t>(ICANON);
  left_over.c_cc[VMIN] = 0;
  left_over.c_cc[VTIME] = 0;
  ASSERT_EQ(::tcsetattr(slave, TCSANOW, &left_over), 0);
  char rest[16];
  EXPECT_EQ(::read(slave, rest, sizeof rest), 0) << "bytes of the arrow key were left behind";
  ::close(slave);
  ::close(master);
}

}  // namespace
}  // namespace torsova
