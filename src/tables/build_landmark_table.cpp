#include "tables/build_landmark_table.h"

namespace torsova {

void BuildLandmarkTable(RunState& /*state*/) {}

}  // namespace torsova
