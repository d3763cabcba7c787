#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 2: refuses a label cell that names no landmark and a form without the five torso landmarks; sets PresenceFlags.
void CheckLabelsAndTorso(RunState& state);

}  // namespace torsova
