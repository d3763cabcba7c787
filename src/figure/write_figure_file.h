#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 6: writes "3D_BODY.ROT" from "Work4.CSV" and leaves both open for the clean-up.
void WriteFigureFile(RunState& state);

}  // namespace torsova
