// The figure file at a path as torsova-view reads it: opened, read to its end
// and checked, with each warning and the reason it cannot be used said as a
// message "FILE:LINE: what" (no LINE for the file as a whole).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_files.h"
#include "view/figure/figure.h"

namespace torsova::view {

using SayMessage = std::function<void(std::string_view)>;

// The figure at `path`; nothing when it cannot be used, after saying why, and
// with `reason` keeping that without the path ("no such file", "line 14: ...").
std::optional<Figure> ReadFigureFile(const std::string& path, const SayMessage& say,
                                     std::string* reason = nullptr);

// The same for a file already opened as `path`, or for the failure to open it.
//   missing:  "3D_BODY.ROT: no such file"
//   denied:   "3D_BODY.ROT: cannot be opened: permission denied"
//   failing:  "3D_BODY.ROT: cannot be read to its end (a read error)"
std::optional<Figure> ReadOpenedFigure(const std::string& path, OpenedPath opened,
                                       const SayMessage& say, std::string* reason = nullptr);

}  // namespace torsova::view
