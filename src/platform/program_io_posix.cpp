#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/program_io.h"

namespace torsova {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  char folder[PATH_MAX];
  if (::getcwd(folder, sizeof folder) == nullptr) return "./" + path;
  return std::string(folder) + "/" + path;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string ProgramName(int argc, char** argv) {
  if (argc < 1 || argv[0] == nullptr) return {};
  const std::string started = argv[0];
  return started.substr(started.rfind('/') + 1);
}

bool HasConsoleOfItsOwn() { return false; }

bool WriteStandardOutput(std::string_view bytes) { return WriteAll(STDOUT_FILENO, bytes); }

void WriteStandardError(std::string_view bytes) { WriteAll(STDERR_FILENO, bytes); }

// The opener runs as a child with no input and its output on standard error,
// so that standard output holds only this program's own lines; its exit
// status tells whether it found a program for the file.
bool OpenWithDefaultProgram(const std::string& path, std::string& reason) {
  const std::string absolute = AbsolutePath(path);
  const pid_t child = ::fork();
  if (child < 0) {
    reason = "xdg-open could not be started";
    return false;
  }
  if (child == 0) {
    const int nothing = ::open("/dev/null", O_RDONLY);
    if (nothing >= 0) ::dup2(nothing, STDIN_FILENO);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    ::execlp("xdg-open", "xdg-open", absolute.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      reason = "xdg-open could not be waited for";
      return false;
    }
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
    reason = "xdg-open was not found";
  } else if (WIFEXITED(status)) {
    reason = "xdg-open ended with status " + std::to_string(WEXITSTATUS(status));
  } else {
    reason = "xdg-open was ended by a signal";
  }
  return false;
}

}  // namespace torsova
