#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 4: reads "Work2.CSV" back and refuses a blank line, a line count other than 18 or a field count other than 90.
void CheckLandmarkTable(RunState& state);

}  // namespace torsova
