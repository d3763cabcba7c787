// torsova-view as a whole: reads the command line, the figure, and writes the
// page, the drawing or the list. Messages go to standard error as
// "torsova-view: FILE:LINE: what".
#pragma once

#include <string>
#include <vector>

namespace torsova::view {

// The exit status: 0 when done, 1 when the figure cannot be read or the
// output cannot be written, 2 for wrong usage.
int RunViewer(const std::vector<std::string>& arguments);

}  // namespace torsova::view
