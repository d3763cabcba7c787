#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 3: writes "Work2.CSV", the title and one row per landmark, and closes every file.
void BuildLandmarkTable(RunState& state);

}  // namespace torsova
