#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova::testing {

std::string TorsovaBinary() { return TORSOVA_BINARY; }

ProgramRun RunProcess(const std::string& program, const std::string& dir,
                      const std::vector<std::string>& arguments, const std::string& input,
                      InputKind kind, bool errors_apart, int timeout_seconds) {
  ScratchFolder io;
  io.Write("stdin", input);
  const std::string in_path = io.path() + "/stdin";
  const std::string out_path = io.path() + "/stdout";
  const std::string err_path = io.path() + "/stderr";
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    if (kind == InputKind::kClosed) {
      ::close(STDIN_FILENO);
    } else {
      int in = ::open(kind == InputKind::kNullDevice ? "/dev/null" : in_path.c_str(), O_RDONLY);
      ::dup2(in, STDIN_FILENO);
    }
    int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(errors_apart ? ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : out,
           STDERR_FILENO);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }

  ProgramRun run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  int wait_status = 0;
  for (;;) {
    pid_t done = ::waitpid(child, &wait_status, WNOHANG);
    if (done == child) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &wait_status, 0);
      run.timed_out = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!run.timed_out && WIFEXITED(wait_status)) run.status = WEXITSTATUS(wait_status);
  run.output = io.Read("stdout");
  if (errors_apart) run.errors = io.Read("stderr");
  return run;
}

std::string ViewerBinary() { return TORSOVA_VIEW_BINARY; }

std::string FormBinary() { return TORSOVA_FORM_BINARY; }

ProgramRun RunWithoutPrivileges(const std::string& program, const std::string& dir,
                                const std::vector<std::string>& arguments) {
  if (::geteuid() != 0) return RunWithArguments(program, dir, arguments);
  std::vector<std::string> unprivileged{"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                        program};
  unprivileged.insert(unprivileged.end(), arguments.begin(), arguments.end());
  return RunWithArguments("/usr/bin/setpriv", dir, unprivileged);
}

}  // namespace torsova::testing
