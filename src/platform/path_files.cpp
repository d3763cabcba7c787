#include "platform/path_files.h"

namespace torsova {

std::string TemporaryPathBeside(const std::string& path, unsigned long process, int attempt,
                                std::size_t name_limit) {
  const std::size_t name_start = FileNameStart(path);
  const std::string ending = "." + std::to_string(process) + "." + std::to_string(attempt) + ".tmp";
  std::string name = path.substr(name_start);
  const std::size_t room = name_limit > ending.size() + 1 ? name_limit - ending.size() - 1 : 0;
  if (name.size() > room) {
    std::size_t cut = room;
    // Not inside a UTF-8 sequence: back to the start of its character.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xc0) == 0x80) --cut;
    name.resize(cut);
  }
  return path.substr(0, name_start) + "." + name + ending;
}

std::string OpenFailureText(OpenFailure failure, std::string_view kind) {
  switch (failure) {
    case OpenFailure::kMissing:
      return "no such file";
    case OpenFailure::kFolder:
      return "is a folder, not " + std::string(kind);
    case OpenFailure::kNotRegular:
      return "is not a regular file";
    case OpenFailure::kDenied:
      return "cannot be opened: permission denied";
    case OpenFailure::kNone:
    case OpenFailure::kOther:
      break;
  }
  return "cannot be opened";
}

}  // namespace torsova
