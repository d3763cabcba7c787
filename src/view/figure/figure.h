// A figure as its file draws it: line segments and circle marks in the order
// of the file, the title and the settings. Points keep the file's order of
// numbers: first, second (the height), third.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace torsova::view {

using Point = std::array<double, 3>;

struct Figure {
  std::string title;  // UTF-8, without the comment's "#"
  bool white_back = false;
  bool fill_circles = false;

  // Six numbers per segment (both ends), four per circle mark (the point and
  // its diameter as a fraction of `size`).
  std::vector<double> lines;
  std::vector<double> circles;
  // One entry per segment or mark, in the order of the file: true for a mark.
  std::vector<bool> order;

  // The box around every point of the point lines, and its longest side; 1
  // when that is 0, so that a scale exists.
  Point min{};
  Point max{};
  double size = 1;

  // What tells a body figure (view/body_figure.h): the file's first line as
  // written, and the first kPointLinesKept point lines with how each wrote its
  // code (torsova writes a flagged 0 without the space after it).
  struct WrittenPoint {
    Point point{};
    std::string code;  // the code item to the end of the line: "7 ", "0", "-7 "
  };
  static constexpr std::size_t kPointLinesKept = 31;
  std::string first_line;
  std::vector<WrittenPoint> point_lines;
  std::size_t point_line_count = 0;

  std::size_t LineCount() const { return lines.size() / 6; }
  std::size_t CircleCount() const { return circles.size() / 4; }
};

}  // namespace torsova::view
