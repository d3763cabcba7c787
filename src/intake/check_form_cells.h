#pragma once

#include "run/run_state.h"

namespace torsova {

// Stage 1: creates (or empties) "Work2.CSV" and leaves it open, then reads the
// form once to its end. Keeps FormTitle (line 1 without commas), DataRowCount
// and FormLabels (every data row's label cell, as many as the form has).
// Stops the run at the first refused cell in reading order: a blank cell, a
// coordinate that is not a plain decimal number, or one too large for the
// tables.
void CheckFormCells(RunState& state);

}  // namespace torsova
