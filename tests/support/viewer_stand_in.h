// A stand-in for the viewer Gyrovex.exe, put into a scratch folder so that an
// end-to-end test can see whether, when and how the run started it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace torsova::testing {

// The status the stand-in ends with.
constexpr int kViewerStandInStatus = 42;

// What the stand-in found when it started.
struct ViewerReport {
  int arguments = -1;                // how many arguments it was given
  std::vector<std::string> listing;  // the names in its current folder, sorted
};

// Puts the stand-in into `folder` under `name`. Started, it writes its report
// there and ends with kViewerStandInStatus.
void InstallViewerStandIn(const ScratchFolder& folder, const std::string& name);

// Puts a file named `name` into `folder` that cannot be started as a program.
void InstallBrokenViewer(const ScratchFolder& folder, const std::string& name);

// The report of a stand-in started in `folder`, once the stand-in has ended;
// nothing when no report appears within `timeout_seconds`.
std::optional<ViewerReport> AwaitViewerReport(const ScratchFolder& folder,
                                              int timeout_seconds = 20);

// The exit status of a run that handed over to the stand-in. Where the viewer
// takes the place of the run (POSIX) it is the stand-in's; where the viewer
// starts as a process of its own (Windows) the run ends with 0.
int StatusAfterHandOver();

// Reads a report as the stand-in writes it: the argument count, the process
// id and the folder's names, one to a line. Nothing when it is malformed.
std::optional<ViewerReport> ParseViewerReport(const std::string& text, unsigned long* process_id);

}  // namespace torsova::testing
