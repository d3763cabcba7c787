// The figure as drawn, for other tools: CSV with the header
//   kind,x1,z1,y1,x2,z2,y2,diameter
// then one row per line segment ("line", both ends, no diameter) and per
// circle mark ("circle", its point, no second point, the diameter in force),
// in the order of the file, numbers in their shortest exact form:
//   line,0.08,158.9,1.05,0.15,145.4,0.6,
//   circle,-27.1,68.4,6.2,,,,0.03
#pragma once

#include "view/figure/figure.h"
#include "view/write/text_writer.h"

namespace torsova::view {

void WriteList(const Figure& figure, TextWriter& out);

}  // namespace torsova::view
