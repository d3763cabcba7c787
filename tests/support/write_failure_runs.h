// The write-failure ending, run end to end on each file the run writes. Each
// system has its own way to make a file unwritable; the ending is the same.
#pragma once

#include <functional>
#include <string>

#include "support/fake_platform.h"

namespace torsova::testing {

// Makes the file `name` of the folder unwritable before the run; returns what
// to do after it (release the file, check what it holds).
using SpoilFile = std::function<std::function<void()>(const ScratchFolder&, const std::string&)>;

// Runs the example form once for each of "Work2.CSV", "Work3.CSV",
// "work4.csv" (a case variant) and "3D_BODY.ROT" spoiled in turn, and checks
// the page naming the file, status 1, no viewer and the files left behind.
void ExpectEachWriteFailureStopsTheRun(const SpoilFile& spoil);

}  // namespace torsova::testing
