#include "view/stand_in.h"

#include "platform/file_names.h"
#include "run/run_files.h"

namespace torsova::view {

std::vector<std::string> ArgumentsAsStarted(std::string_view program_name,
                                            std::vector<std::string> arguments) {
  // Without the ending too, as a link on POSIX systems may well be named.
  const std::string_view viewer = kViewerName;
  const std::string_view stem = viewer.substr(0, viewer.rfind('.'));
  const bool as_viewer =
      SameNameIgnoringCase(program_name, viewer) || SameNameIgnoringCase(program_name, stem);
  if (as_viewer && arguments.empty()) return {"--open"};
  return arguments;
}

}  // namespace torsova::view
