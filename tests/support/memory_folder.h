// The folder held in memory, for fuzzing whole runs without touching the disk.
#pragma once

#include "platform/memory_folder.h"

namespace torsova::testing {

using torsova::MemoryFolder;

}  // namespace torsova::testing
