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

#include "view/figure.h"

namespace torsova::view {

// The points of a body: the 18 landmarks in LandmarkSet order, then NECK and SACR.
constexpr std::size_t kBodyPoints = 20;
constexpr std::size_t kNeck = 18;
constexpr std::size_t kSacrum = 19;

// A body point's code and its name in words.
//   0 -> "CRAN", "cranium"    2 -> "RELB", "right elbow"    18 -> "NECK", "neck (computed)"
std::string_view BodyPointCode(std::size_t point);
std::string_view BodyPointName(std::size_t point);

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

// One row of the table of measures, its numbers as they are shown everywhere:
// values with two decimals ("171.20"), the side difference with one decimal
// and a sign ("-0.1", "+23.4", "0.0"). A value with a missing landmark at
// either end is none, and so is the difference then.
struct Measure {
  std::string_view id;    // "upper_arm"
  std::string_view name;  // "upper arm"
  bool paired = false;
  std::optional<std::string> value;  // single measures
  std::optional<std::string> right, left, difference;
  // When the sides differ by more than 10 %:
  //   "the sides differ by 23 %: check the form"
  std::optional<std::string> warning;
};

constexpr std::size_t kMeasureCount = 12;

// height, head, trunk, shoulder_breadth, pelvis_breadth, upper_arm, forearm,
// hand, thigh, shank, foot, tail: distances in 3-D in the figure's unit; the
// height is the cranium's height above the lowest ankle or toe the form gave.
std::array<Measure, kMeasureCount> MeasureBody(const BodyFigure& body);

}  // namespace torsova::view
