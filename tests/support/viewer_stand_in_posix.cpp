#include <chrono>
#include <filesystem>
#include <thread>

#include "support/viewer_stand_in.h"

namespace torsova::testing {
namespace fs = std::filesystem;

namespace {

// The listing is taken before the report file exists, and the report appears
// complete under its name.
const char kStandInScript[] =
    "#!/bin/sh\n"
    "listing=$(ls)\n"
    "{ echo \"$#\"; echo \"$$\"; echo \"$listing\"; } > viewer-report.tmp\n"
    "mv viewer-report.tmp viewer-report\n"
    "exit 42\n";

}  // namespace

void InstallViewerStandIn(const ScratchFolder& folder, const std::string& name) {
  folder.Write(name, kStandInScript);
  fs::permissions(fs::path(folder.path()) / name, fs::perms::owner_all);
}

void InstallBrokenViewer(const ScratchFolder& folder, const std::string& name) {
  // The same script, but not executable.
  folder.Write(name, kStandInScript);
  fs::permissions(fs::path(folder.path()) / name, fs::perms::owner_read | fs::perms::owner_write);
}

std::optional<ViewerReport> AwaitViewerReport(const ScratchFolder& folder, int timeout_seconds) {
  // The stand-in runs in place of the program, so it has ended when the run has.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (!folder.Exists("viewer-report")) {
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return ParseViewerReport(folder.Read("viewer-report"), nullptr);
}

int StatusAfterHandOver() { return kViewerStandInStatus; }

}  // namespace torsova::testing
