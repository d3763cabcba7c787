#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

#include "platform/platform.h"

namespace torsova {
namespace {

// The terminal settings to put back if a signal ends the process during a key
// wait. Only touched while the key wait holds the terminal in raw mode.
struct termios saved_terminal;
volatile sig_atomic_t terminal_is_raw = 0;

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

void RestoreTerminalAndDie(int signal_number) {
  if (terminal_is_raw) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;  // a closed or broken output: the text is lost
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

// Reads one byte, retrying after interruptions; false at the end or on error.
bool ReadOneByte() {
  char key = 0;
  for (;;) {
    ssize_t got = ::read(STDIN_FILENO, &key, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1;
  }
}

class PosixConsole final : public Console {
 public:
  PosixConsole()
      : output_is_terminal_(::isatty(STDOUT_FILENO) == 1),
        input_is_terminal_(::isatty(STDIN_FILENO) == 1) {
    // A reader that goes away must not end the run before its files are written.
    ::signal(SIGPIPE, SIG_IGN);
  }

  void Clear() override {
    if (output_is_terminal_) WriteAll(STDOUT_FILENO, "\x1b[H\x1b[2J");
  }

  void Bell() override {
    if (output_is_terminal_) WriteAll(STDOUT_FILENO, "\a");
  }

  void Write(std::string_view bytes) override { WriteAll(STDOUT_FILENO, bytes); }

  void KeyWait() override {
    if (!input_is_terminal_ || ::tcgetattr(STDIN_FILENO, &saved_terminal) != 0) {
      ReadOneByte();
      return;
    }
    struct sigaction restore {};
    restore.sa_handler = RestoreTerminalAndDie;
    sigemptyset(&restore.sa_mask);
    struct sigaction previous[std::size(kEndingSignals)];
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      ::sigaction(kEndingSignals[i], &restore, &previous[i]);
    }

    // Raw: no echo, no line editing, Ctrl-C and Ctrl-Z are keys like any other.
    struct termios raw = saved_terminal;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | BRKINT | ISTRIP);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    terminal_is_raw = 1;
    if (::tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) {
      ReadOneByte();
      // The rest of a key that sends several bytes (arrows, function keys).
      ::tcflush(STDIN_FILENO, TCIFLUSH);
    }
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
    terminal_is_raw = 0;

    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      ::sigaction(kEndingSignals[i], &previous[i], nullptr);
    }
  }

 private:
  bool output_is_terminal_;
  bool input_is_terminal_;
};

}  // namespace

std::unique_ptr<Console> MakeSystemConsole() { return std::make_unique<PosixConsole>(); }

}  // namespace torsova
