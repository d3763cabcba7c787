// torsova-view in the viewer's place: a link or a copy named as the viewer in
// the form's folder, which a run hands the console to with no arguments, shows
// the run's figure as torsova-view --open does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torsova::view {

// The arguments torsova-view acts on, given the name it was started under
// (its folder left off) and the arguments it got: "--open" alone when the name
// is the viewer's, "Gyrovex.exe" or "Gyrovex" in any letter case, and there
// are no arguments; otherwise the arguments as they are.
//   ("gyrovex.EXE", {})        -> {"--open"}
//   ("Gyrovex.exe", {"--svg"}) -> {"--svg"}
//   ("torsova-view", {})       -> {}
std::vector<std::string> ArgumentsAsStarted(std::string_view program_name,
                                            std::vector<std::string> arguments);

}  // namespace torsova::view
