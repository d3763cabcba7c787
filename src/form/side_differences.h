// The side differences of the body's measures, as torsova-view shows them
// for the figure torsova would draw, and the one typing mistake that alone
// would explain a marked one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "form/findings.h"
#include "landmarks/body_points.h"
#include "landmarks/landmark_set.h"

namespace torsova::form {

// A landmark as the form gives it on its first row, the one torsova takes:
// the texts of its x, y and z cells, each a usable coordinate.
struct GivenLandmark {
  std::uint64_t row = 0;  // 0 when the form does not give it so
  std::array<std::string, 3> cells;
};

using GivenLandmarks = std::array<GivenLandmark, kLandmarkCount>;

// The body's points as the figure of this form holds them: every number as
// torsova writes it into its tables and its figure, NECK and SACR its
// midpoints, read back as torsova-view reads them.
BodyPoints FigurePoints(const GivenLandmarks& given);

// One finding for each measure whose sides differ by more than the marked
// difference, in torsova-view's words, placed at the cell (or the row) of the
// landmark whose mistyping alone explains it, where exactly one landmark's
// single typing slip (two characters swapped, one dropped, added or mistyped)
// would bring the sides together without marking another measure.
void FindSideDifferences(const GivenLandmarks& given, std::vector<Finding>& findings);

}  // namespace torsova::form
