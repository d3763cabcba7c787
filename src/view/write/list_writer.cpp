#include "view/write/list_writer.h"

#include <cstddef>

namespace torsova::view {

void WriteList(const Figure& figure, TextWriter& out) {
  out << "kind,x1,z1,y1,x2,z2,y2,diameter\n";
  const double* line = figure.lines.data();
  const double* circle = figure.circles.data();
  for (const bool is_circle : figure.order) {
    if (is_circle) {
      out << "circle";
      for (std::size_t k = 0; k < 3; ++k) out << ',', out.Shortest(circle[k]);
      out << ",,,,";
      out.Shortest(circle[3]);
      circle += 4;
    } else {
      out << "line";
      for (std::size_t k = 0; k < 6; ++k) out << ',', out.Shortest(line[k]);
      out << ',';
      line += 6;
    }
    out << '\n';
  }
}

}  // namespace torsova::view
