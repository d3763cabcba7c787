#include "tables/derive_landmarks.h"

namespace torsova {

void DeriveLandmarks(RunState& /*state*/) {}

}  // namespace torsova
