// What the viewer knows of a figure torsova wrote: which point is which
// landmark, which landmarks the form lacked, and the body's measures. The
// page, the drawing and the table of measures all take them from here.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "landmarks/body_measures.h"
#include "landmarks/body_points.h"
#include "view/figure/figure.h"

namespace torsova::view {

struct BodyFigure {
  // In the file's order of numbers. CRAN is the form's cranium (twice the
  // head's centre less the neck), not the head circle's centre.
  std::array<Point, kBodyPoints> points{};
  std::array<bool, kBodyPoints> missing{};  // landmarks the form lacked; never NECK, SACR
  // Segments of the figure (index into Figure::lines / 6) that start at a
  // missing landmark's stand-in point: lines across a missing landmark.
  std::vector<std::size_t> across;

  bool Across(std::size_t segment) const;
};

// The body of a figure whose first line and point lines are exactly those
// torsova writes: the StrokeList with its fixed and flagged codes, then the
// ExtremityMarks; nothing for any other figure.
std::optional<BodyFigure> RecogniseBody(const Figure& figure);

// Whether the file holds a point's number (0 to 2, in the file's order) only
// to within 0.01 of the form's: the cranium's across and depth, computed back
// from the head's centre, which the file holds to two decimals (a form's 0.0
// comes back as 0.01).
constexpr bool Approximate(std::size_t point, std::size_t number) {
  return point == 0 && number != 1;
}

// The landmarks the form lacked, in the order of the body's points, as the
// page and the drawing list them after kMissingHeading.
//   {"LELB left elbow", "RKNE right knee"}
std::vector<std::string> MissingLandmarks(const BodyFigure& body);
inline constexpr std::string_view kMissingHeading = "Not in the form: ";

// The body's points in the form's order of numbers (x, y, z), which the
// measures take them in.
BodyPoints FormPoints(const BodyFigure& body);

// The body's measures (landmarks/body_measures.h).
std::array<Measure, kMeasureCount> MeasureBody(const BodyFigure& body);

}  // namespace torsova::view
