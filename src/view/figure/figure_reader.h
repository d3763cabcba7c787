// Reads a figure file: comment lines ("#..."), setting lines ("s ..."), empty
// lines and point lines, with CR LF or LF line ends, up to a byte 26 or the
// end. Memory stays bounded by the figure, not by the longest line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "textio/text_source.h"
#include "view/figure/figure.h"

namespace torsova::view {

// Something wrong with a file, at a line (counted from 1) or, with line 0,
// with the file as a whole. `what` is ready to show after "FILE:LINE: ".
struct FigureProblem {
  std::size_t line = 0;
  std::string what;
};

struct FigureReading {
  Figure figure;
  std::optional<FigureProblem> error;   // the first fault; the figure is then unusable
  std::vector<FigureProblem> warnings;  // the first kMaxWarnings of them
  std::size_t warnings_left_out = 0;

  static constexpr std::size_t kMaxWarnings = 20;
};

// Reads the figure from `source` to its end, or up to its first fault.
FigureReading ReadFigure(TextSource& source);

// A line as messages quote it: in double quotes, at most 60 bytes (then
// "..."), a backslash and every byte outside printable ASCII escaped.
//   "12.5 abc 7" -> "\"12.5 abc 7\""    "a\tb\xff" -> "\"a\\x09b\\xff\""
std::string QuotedLine(std::string_view line, bool cut_short = false);

}  // namespace torsova::view
