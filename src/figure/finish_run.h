// The end of every run that reaches the viewer.
#pragma once

#include <string_view>

#include "run/run_state.h"

namespace torsova {

// The viewer the console is handed to, in the current folder.
inline constexpr std::string_view kViewerName = "Gyrovex.exe";

// Stage 7: closes every file, deletes the three working tables, shows the
// SUCCESS report and goes on with the closing steps.
[[noreturn]] void FinishRun(RunState& state);

// The key line, the key, every file closed, then the viewer in place of this
// program; status 0 when the viewer cannot be started.
[[noreturn]] void ClosingSteps(RunState& state);

}  // namespace torsova
