#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 2: reads the form again and refuses the first label cell that fails
// the lenient legitimacy test (last four characters, upper-cased); only then
// sets PresenceFlags from the exact FormLabels and refuses a form without the
// five torso landmarks.
void CheckLabelsAndTorso(RunState& state);

}  // namespace torsova
