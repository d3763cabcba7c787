#include "view/body/body_figure.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "figure/stroke_list.h"
#include "landmarks/landmark_set.h"
#include "textio/decimal_conversion.h"
#include "textio/plain_number.h"

namespace torsova::view {
namespace {

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

}  // namespace

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
    const std::size_t point = BodyPointOf(FigureRowLabel(stroke.row));
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
          written.point != body.points[BodyPointOf(FigureRowLabel(extremity.row))]) {
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

std::vector<std::string> MissingLandmarks(const BodyFigure& body) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (body.missing[i]) {
      entries.push_back(std::string(BodyPointCode(i)) + " " + std::string(BodyPointName(i)));
    }
  }
  return entries;
}

BodyPoints FormPoints(const BodyFigure& body) {
  BodyPoints form;
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    const Point& p = body.points[i];
    form.at[i] = {p[0], p[2], p[1]};
  }
  form.missing = body.missing;
  return form;
}

std::array<Measure, kMeasureCount> MeasureBody(const BodyFigure& body) {
  return torsova::MeasureBody(FormPoints(body));
}

}  // namespace torsova::view
