// Runs the built torsova binary as a whole process, for end-to-end tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace torsova::testing {

struct ProgramRun {
  int status = -1;     // exit status; -1 when it did not exit normally
  std::string output;  // everything written to standard output
  std::string errors;  // standard error, when kept apart from the output
  bool timed_out = false;
};

// How standard input is given to the program: a file holding the bytes, no
// input at all, or the null device (a character device that is no console).
enum class InputKind { kBytes, kClosed, kNullDevice };

// Runs `program` in folder `dir` with `input` as its standard input, and kills
// it after `timeout_seconds`.
ProgramRun RunProgram(const std::string& program, const std::string& dir, const std::string& input,
                      InputKind kind = InputKind::kBytes, int timeout_seconds = 20);

// Runs `program` in folder `dir` with `arguments` (UTF-8) and no standard
// input; standard output and standard error are kept apart.
ProgramRun RunWithArguments(const std::string& program, const std::string& dir,
                            const std::vector<std::string>& arguments, int timeout_seconds = 20);

// As RunWithArguments, but without the rights of an administrator: a POSIX
// test run as root gives up root and runs the program as the user nobody.
ProgramRun RunWithoutPrivileges(const std::string& program, const std::string& dir,
                                const std::vector<std::string>& arguments);

// What both of the above do, each system in its own way. With `errors_apart`
// standard error goes to `errors`, otherwise with standard output.
ProgramRun RunProcess(const std::string& program, const std::string& dir,
                      const std::vector<std::string>& arguments, const std::string& input,
                      InputKind kind, bool errors_apart, int timeout_seconds);

// The torsova, torsova-view and torsova-form binaries of this build.
std::string TorsovaBinary();
std::string ViewerBinary();
std::string FormBinary();

}  // namespace torsova::testing
