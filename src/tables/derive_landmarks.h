#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 5: writes "Work3.CSV" (the rows in LandmarkSet order) and "Work4.CSV" (with the neck and sacrum); sets TablePresenceFlags.
void DeriveLandmarks(RunState& state);

}  // namespace torsova
