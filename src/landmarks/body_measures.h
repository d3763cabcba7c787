// The body's measures: which landmarks each one runs between, how the height
// is taken, when two sides differ enough to be marked, and the words and
// rounding every program shows them with. torsova-view's page, drawing and
// table and torsova-form's checks all walk this one table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "landmarks/body_points.h"

namespace torsova {

// Two landmarks a measure runs between.
struct Span {
  std::string_view from, to;
};

struct MeasureRule {
  std::string_view id, name;
  Span right;  // the measure itself when it is single; empty for the height
  Span left;   // empty when single

  constexpr bool Paired() const { return !left.from.empty(); }
};

constexpr std::size_t kMeasureCount = 12;

inline constexpr std::array<MeasureRule, kMeasureCount> MeasureRules = {{
    {"height", "height", {}, {}},
    {"head", "head", {"CRAN", "NECK"}, {}},
    {"trunk", "trunk", {"NECK", "SACR"}, {}},
    {"shoulder_breadth", "shoulder breadth", {"RSHO", "LSHO"}, {}},
    {"pelvis_breadth", "pelvis breadth", {"RPEL", "LPEL"}, {}},
    {"upper_arm", "upper arm", {"RSHO", "RELB"}, {"LSHO", "LELB"}},
    {"forearm", "forearm", {"RELB", "RWRI"}, {"LELB", "LWRI"}},
    {"hand", "hand", {"RWRI", "RFNG"}, {"LWRI", "LFNG"}},
    {"thigh", "thigh", {"RPEL", "RKNE"}, {"LPEL", "LKNE"}},
    {"shank", "shank", {"RKNE", "RANK"}, {"LKNE", "LANK"}},
    {"foot", "foot", {"RANK", "RTOE"}, {"LANK", "LTOE"}},
    {"tail", "tail", {"SACR", "TAIL"}, {}},
}};

// The height is the cranium's height above the lowest of these the form gave.
inline constexpr std::array<std::string_view, 4> HeightBase = {"RANK", "RTOE", "LANK", "LTOE"};

// Sides that differ by more than this percentage of their mean are marked.
constexpr double kMarkedDifference = 10;

// One measure of a body. The lengths are distances in 3-D in the form's unit;
// the texts are as every program shows them: lengths with two decimals
// ("171.20"), the side difference (right less left, in % of their mean) with
// one decimal and a sign ("-0.1", "+23.4", "0.0"). A length with a missing
// landmark at either end is none, and so is the difference then.
struct Measure {
  const MeasureRule* rule = nullptr;
  std::string_view id;    // "upper_arm"
  std::string_view name;  // "upper arm"
  bool paired = false;
  std::optional<double> length;                    // single measures
  std::optional<double> right_length, left_length;  // paired ones
  std::optional<std::string> value;                // single measures
  std::optional<std::string> right, left, difference;
  // When the sides differ by more than kMarkedDifference % (as shown):
  //   "the sides differ by 23 %: check the form"
  std::optional<std::string> warning;
};

// The measures of a body in the order of MeasureRules.
std::array<Measure, kMeasureCount> MeasureBody(const BodyPoints& body);

// The length between two points of the body; none when either is missing.
std::optional<double> SpanLength(const BodyPoints& body, const Span& span);

// A length as the measures show it: two decimals, no minus on a zero.
//   171.2 -> "171.20"    -0.001 -> "0.00"
std::string MeasureText(double length);

}  // namespace torsova
