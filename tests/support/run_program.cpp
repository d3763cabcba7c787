#include "support/run_program.h"

namespace torsova::testing {

ProgramRun RunProgram(const std::string& program, const std::string& dir, const std::string& input,
                      InputKind kind, int timeout_seconds) {
  return RunProcess(program, dir, {}, input, kind, false, timeout_seconds);
}

ProgramRun RunWithArguments(const std::string& program, const std::string& dir,
                            const std::vector<std::string>& arguments, int timeout_seconds) {
  return RunProcess(program, dir, arguments, "", InputKind::kNullDevice, true, timeout_seconds);
}

}  // namespace torsova::testing
