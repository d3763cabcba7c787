#pragma once

#include "run/run_state.h"

namespace torsova {

// One run from the form to the viewer: the console cleared, then the seven
// stages in order. Never returns: every run ends on a page or in the viewer.
[[noreturn]] void RunSequence(RunState& state);

}  // namespace torsova
