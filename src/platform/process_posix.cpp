#include <unistd.h>

#include <cstdio>

#include "platform/folder_posix.h"
#include "platform/platform.h"

namespace torsova {
namespace {

class PosixProcess final : public Process {
 public:
  void StartViewer(const std::string& name) override {
    // Only the folder of the run is looked in, never the PATH.
    std::string entry = FindInFolder(".", name).value_or(name);
    std::string path = "./" + entry;
    char* const arguments[] = {entry.data(), nullptr};
    std::fflush(nullptr);
    ::execv(path.c_str(), arguments);
  }

  void EndProcess(int status) override {
    std::fflush(nullptr);
    ::_exit(status);
  }
};

}  // namespace

std::unique_ptr<Process> MakeSystemProcess() { return std::make_unique<PosixProcess>(); }

}  // namespace torsova
