#include "tables/check_landmark_table.h"

namespace torsova {

void CheckLandmarkTable(RunState& /*state*/) {}

}  // namespace torsova
