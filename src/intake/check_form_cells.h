#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 1: reads the form once, refusing a blank cell or a coordinate that is not a number; keeps FormTitle, DataRowCount and FormLabels, and leaves "Work2.CSV" created, empty and open.
void CheckFormCells(RunState& state);

}  // namespace torsova
