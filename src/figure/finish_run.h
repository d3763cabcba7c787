// The end of every run that reaches the viewer.
#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 7: closes every file, deletes the three working tables, shows the
// SUCCESS report and goes on with the closing steps.
[[noreturn]] void FinishRun(RunState& state);

}  // namespace torsova
