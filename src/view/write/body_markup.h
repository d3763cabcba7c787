// The body's parts of the figure page's markup, written with the page so that
// nothing moves once the page is first drawn: the line of missing landmarks
// under the title and the rows of the measures table.
#pragma once

#include <array>

#include "view/body/body_figure.h"
#include "view/write/text_writer.h"

namespace torsova::view {

// "Not in the form: LELB left elbow, RKNE right knee", escaped; nothing when
// the form lacked no landmark.
void WriteMissingLine(const BodyFigure& body, TextWriter& out);

// One row per measure; a paired one with right, left and side difference, a
// marked one followed by a row with its warning in words, and "—" for no value:
//   <tr data-measure="upper_arm" class="marked"><th scope="row">upper arm</th>
//   <td>36.40</td><td>31.92</td><td>+13.1 %</td></tr>
//   <tr class="warning"><td colspan="4">⚠ upper arm: the sides differ by 13 %: ...</td></tr>
void WriteMeasureRows(const std::array<Measure, kMeasureCount>& measures, TextWriter& out);

// Whether some measure has no value, for want of a landmark.
bool SomeMeasureMissing(const std::array<Measure, kMeasureCount>& measures);

}  // namespace torsova::view
