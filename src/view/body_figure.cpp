#include "view/body_figure.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "figure/stroke_list.h"
#include "landmarks/landmark_set.h"
#include "textio/decimal_conversion.h"
#include "textio/plain_number.h"

namespace torsova::view {
namespace {

constexpr std::string_view kComputed[] = {"neck (computed)", "sacrum (computed)"};

// The point of a code of the LandmarkSet, NECK or SACR.
constexpr std::size_t BodyPoint(std::string_view code) {
  if (code == DerivedLandmarks[0]) return kNeck;
  if (code == DerivedLandmarks[1]) return kSacrum;
  std::size_t i = 0;
  while (i < LandmarkSet.size() && LandmarkSet[i] != code) ++i;
  return i;
}

// A code as the point line carries it, from its first character to the
// line's end: " 0 " -> "0 ", "-7 " -> "-7 ".
std::string CodeItem(std::string text) {
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

// The decimal text of `value` read back, so that a computed point shows as
// the form wrote it (0.010000000000000009 -> 0.01).
double Rounded(double value, std::chars_format format, int precision) {
  char text[400];
  const auto end = std::to_chars(text, text + sizeof text, value, format, precision).ptr;
  return DecimalToDouble(std::string_view(text, static_cast<std::size_t>(end - text)));
}

std::string Decimals(double value, int decimals) {
  char text[400];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  std::string digits(text, end);
  if (digits.front() == '-' && digits.find_first_not_of("-0.") == std::string::npos) {
    digits.erase(0, 1);
  }
  return digits;
}

// Two landmarks a measure runs between.
struct Span {
  std::string_view from, to;
};

struct MeasureRule {
  std::string_view id, name;
  Span right;  // the measure itself when it is single
  Span left;   // empty when single
};

constexpr MeasureRule kMeasureRules[kMeasureCount] = {
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
};

// The lowest points the height is taken above, when the form gave them.
constexpr std::string_view kFeet[] = {"RANK", "RTOE", "LANK", "LTOE"};

// Sides that differ by more than this percentage of their mean are marked.
constexpr double kMarkedDifference = 10;

std::optional<double> Distance(const BodyFigure& body, const Span& span) {
  const std::size_t from = BodyPoint(span.from), to = BodyPoint(span.to);
  if (body.missing[from] || body.missing[to]) return std::nullopt;
  double sum = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const double d = body.points[to][k] - body.points[from][k];
    sum += d * d;
  }
  return std::sqrt(sum);
}

std::optional<double> Height(const BodyFigure& body) {
  std::optional<double> lowest;
  for (std::string_view foot : kFeet) {
    const std::size_t point = BodyPoint(foot);
    if (body.missing[point]) continue;
    lowest = std::min(lowest.value_or(body.points[point][1]), body.points[point][1]);
  }
  if (!lowest) return std::nullopt;
  return body.points[BodyPoint("CRAN")][1] - *lowest;
}

std::optional<std::string> Shown(const std::optional<double>& value) {
  if (!value) return std::nullopt;
  return Decimals(*value, 2);
}

void CompareSides(double right, double left, Measure& measure) {
  const double mean = (right + left) / 2;
  const double percent = mean == 0 ? 0 : (right - left) / mean * 100;
  std::string text = Decimals(percent, 1);
  const double shown = std::fabs(DecimalToDouble(text));
  if (shown != 0 && text.front() != '-') text.insert(0, "+");
  measure.difference = text;
  if (shown > kMarkedDifference) {
    measure.warning =
        "the sides differ by " + Decimals(std::fabs(percent), 0) + " %: check the form";
  }
}

}  // namespace

std::string_view BodyPointCode(std::size_t point) {
  return point < kLandmarkCount ? LandmarkSet[point] : DerivedLandmarks[point - kLandmarkCount];
}

std::string_view BodyPointName(std::size_t point) {
  return point < kLandmarkCount ? LandmarkNames[point] : kComputed[point - kLandmarkCount];
}

bool BodyFigure::Across(std::size_t segment) const {
  return std::binary_search(across.begin(), across.end(), segment);
}

std::optional<BodyFigure> RecogniseBody(const Figure& figure) {
  constexpr std::size_t kMarks = 4;
  if (figure.first_line != kFigureFirstLine ||
      figure.point_line_count != StrokeList.size() + kMarks) {
    return std::nullopt;
  }
  const std::string joined = CodeItem(PlainInteger(kJoined));
  const std::string flagged_joined = CodeItem(PlainSingle(kJoined) + " ");
  const std::string flagged_missing = CodeItem(PlainSingle(kNewStroke));

  BodyFigure body;
  std::array<bool, kBodyPoints> seen{};
  std::array<float, kLandmarkCount> presence;
  presence.fill(1);
  std::optional<Point> stand_in;  // where every missing landmark sits
  std::size_t segments = 0;
  bool after_missing = false;
  for (std::size_t k = 0; k < StrokeList.size(); ++k) {
    const StrokePoint& stroke = StrokeList[k];
    const Figure::WrittenPoint& written = figure.point_lines[k];
    const std::size_t point = BodyPoint(FigureRowLabel(stroke.row));
    bool missing = false;
    if (stroke.kind == CodeKind::kFixed) {
      if (written.code != CodeItem(PlainInteger(stroke.code))) return std::nullopt;
    } else if (written.code == flagged_missing) {
      missing = true;
    } else if (written.code != flagged_joined) {
      return std::nullopt;
    }
    if (seen[point] && written.point != body.points[point]) return std::nullopt;
    seen[point] = true;
    body.points[point] = written.point;
    if (missing) {
      if (stand_in && *stand_in != written.point) return std::nullopt;
      stand_in = written.point;
      body.missing[point] = true;
      presence[stroke.presence - 1] = 0;
    }
    if (k > 0 && (written.code == joined || written.code == flagged_joined)) {
      if (after_missing) body.across.push_back(segments);
      ++segments;
    }
    after_missing = missing;
  }

  std::size_t mark = StrokeList.size();
  const std::string circle = CodeItem(PlainInteger(kCircle));
  for (std::size_t row = 1; row <= kFigureRows; ++row) {
    for (const ExtremityMark& extremity : ExtremityMarks) {
      if (FigureRowLabel(row) != extremity.label ||
          presence[extremity.presence - 1] != extremity.required) {
        continue;
      }
      const Figure::WrittenPoint& written = figure.point_lines[mark++];
      if (written.code != circle ||
          written.point != body.points[BodyPoint(FigureRowLabel(extremity.row))]) {
        return std::nullopt;
      }
    }
  }

  // The head circle sits halfway between the form's cranium and the neck.
  Point& cranium = body.points[0];
  const Point& neck = body.points[kNeck];
  for (std::size_t k = 0; k < 3; ++k) {
    const double value = 2 * cranium[k] - neck[k];
    // Across and depth come through the two-decimal mask, the height with at
    // most 7 significant digits.
    cranium[k] = k == 1 ? Rounded(value, std::chars_format::general, 8)
                        : Rounded(value, std::chars_format::fixed, 2);
  }
  return body;
}

std::array<Measure, kMeasureCount> MeasureBody(const BodyFigure& body) {
  std::array<Measure, kMeasureCount> measures;
  for (std::size_t i = 0; i < kMeasureCount; ++i) {
    const MeasureRule& rule = kMeasureRules[i];
    Measure& measure = measures[i];
    measure.id = rule.id;
    measure.name = rule.name;
    measure.paired = !rule.left.from.empty();
    if (rule.right.from.empty()) {
      measure.value = Shown(Height(body));
    } else if (!measure.paired) {
      measure.value = Shown(Distance(body, rule.right));
    } else {
      const std::optional<double> right = Distance(body, rule.right);
      const std::optional<double> left = Distance(body, rule.left);
      measure.right = Shown(right);
      measure.left = Shown(left);
      if (right && left) CompareSides(*right, *left, measure);
    }
  }
  return measures;
}

}  // namespace torsova::view
