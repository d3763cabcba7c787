#include "intake/check_form_cells.h"

namespace torsova {

void CheckFormCells(RunState& /*state*/) {}

}  // namespace torsova
