#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/viewer_stand_in.h"

namespace torsova::testing {
namespace fs = std::filesystem;

void InstallViewerStandIn(const ScratchFolder& folder, const std::string& name) {
  fs::copy_file(fs::absolute(TORSOVA_VIEWER_STAND_IN), fs::path(folder.path()) / name,
                fs::copy_options::overwrite_existing);
}

void InstallBrokenViewer(const ScratchFolder& folder, const std::string& name) {
  folder.Write(name, "This is a text file, not a program.\r\n");
}

std::optional<ViewerReport> AwaitViewerReport(const ScratchFolder& folder, int timeout_seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (!folder.Exists("viewer-report")) {
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  unsigned long process_id = 0;
  std::optional<ViewerReport> report = ParseViewerReport(folder.Read("viewer-report"), &process_id);
  // The stand-in runs on after writing its report; its program file cannot be
  // removed with the folder until it has ended.
  if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    WaitForSingleObject(process, left.count() > 0 ? static_cast<DWORD>(left.count()) : 0);
    CloseHandle(process);
  }
  return report;
}

int StatusAfterHandOver() { return 0; }

}  // namespace torsova::testing
