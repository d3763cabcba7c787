#include "intake/check_labels_and_torso.h"

namespace torsova {

void CheckLabelsAndTorso(RunState& /*state*/) {}

}  // namespace torsova
