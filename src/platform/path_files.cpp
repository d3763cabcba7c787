#include "platform/path_files.h"

namespace torsova {

std::string TemporaryPathBeside(const std::string& path, unsigned long process, int attempt) {
  const std::size_t name_start = FileNameStart(path);
  return path.substr(0, name_start) + "." + path.substr(name_start) + "." +
         std::to_string(process) + "." + std::to_string(attempt) + ".tmp";
}

}  // namespace torsova
