#include "form/side_differences.h"

#include <cmath>
#include <optional>
#include <utility>

#include "form/sheet_rows.h"
#include "intake/coordinate_cell.h"
#include "landmarks/body_measures.h"
#include "textio/decimal_conversion.h"
#include "textio/mask_number.h"
#include "textio/number_field.h"
#include "textio/plain_number.h"

namespace torsova::form {
namespace {

constexpr std::size_t kZ = 2;
constexpr std::string_view kAxisNames[] = {"x", "y", "z"};
// A longer cell is no coordinate whose slips are worth trying.
constexpr std::size_t kLongestSlipCell = 16;
constexpr std::string_view kSlipCharacters = "0123456789.-";

// A point as the derived landmarks stage holds it: x and y read back from the
// landmark table as doubles, z as a single.
struct TablePoint {
  std::array<double, 2> across{};
  float height = 0;
};

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

double ReadDouble(std::string_view text) { return NumberFieldToDouble(Trimmed(text)); }
float ReadSingle(std::string_view text) { return NumberFieldToSingle(Trimmed(text)); }

// The form's cell read as the table build reads it, written into the landmark
// table (a given RKNE's x and y with 16 digits, every other through the mask)
// and read back.
double TableAcross(std::size_t landmark, const std::string& cell) {
  const double value = NumberFieldToDouble(cell);
  return ReadDouble(LandmarkSet[landmark] == "RKNE" ? PlainDouble(value) : MaskNumber(value));
}

float TableHeight(const std::string& cell) {
  return ReadSingle(PlainSingle(NumberFieldToSingle(cell)));
}

TablePoint TablePointOf(std::size_t landmark, const std::array<std::string, 3>& cells) {
  TablePoint point;
  for (std::size_t axis = 0; axis < kZ; ++axis) {
    point.across[axis] = TableAcross(landmark, cells[axis]);
  }
  point.height = TableHeight(cells[kZ]);
  return point;
}

// A table's value written into the figure table, read back by the figure
// writer, written into the figure, and read as torsova-view reads a figure.
double FigureAcross(double table) {
  return DecimalToDouble(Trimmed(MaskNumber(ReadDouble(MaskNumber(table)))));
}
double FigureHeight(float table) {
  return DecimalToDouble(Trimmed(PlainSingle(ReadSingle(PlainSingle(table)))));
}

std::array<double, 3> FigurePoint(const TablePoint& point) {
  return {FigureAcross(point.across[0]), FigureAcross(point.across[1]), FigureHeight(point.height)};
}

// One coordinate of a landmark's cell as the figure holds it.
double FigureCoordinate(std::size_t landmark, std::size_t axis, const std::string& cell) {
  return axis == kZ ? FigureHeight(TableHeight(cell)) : FigureAcross(TableAcross(landmark, cell));
}

// As the derived landmarks stage computes NECK and SACR: halved in double
// precision, z rounded once to a single.
TablePoint Midpoint(const TablePoint& a, const TablePoint& b) {
  TablePoint mid;
  for (std::size_t axis = 0; axis < kZ; ++axis)
    mid.across[axis] = (a.across[axis] + b.across[axis]) / 2.0;
  mid.height =
      static_cast<float>((static_cast<double>(a.height) + static_cast<double>(b.height)) / 2.0);
  return mid;
}

// Which measures' sides are marked.
std::array<bool, kMeasureCount> Marked(const BodyPoints& body) {
  const std::array<Measure, kMeasureCount> measures = MeasureBody(body);
  std::array<bool, kMeasureCount> marked{};
  for (std::size_t i = 0; i < kMeasureCount; ++i) marked[i] = measures[i].warning.has_value();
  return marked;
}

// Every text one typing slip away from `cell` that the cell check accepts.
std::vector<std::string> OneSlipAway(const std::string& cell) {
  std::vector<std::string> texts;
  if (cell.size() > kLongestSlipCell) return texts;
  const auto keep = [&](std::string text) {
    if (text != cell && CheckCoordinateCell(text) == CoordinateCellFault::kNone) {
      texts.push_back(std::move(text));
    }
  };
  for (std::size_t i = 0; i <= cell.size(); ++i) {
    for (char c : kSlipCharacters) keep(cell.substr(0, i) + c + cell.substr(i));  // added
    if (i == cell.size()) break;
    keep(cell.substr(0, i) + cell.substr(i + 1));                                     // dropped
    for (char c : kSlipCharacters) keep(cell.substr(0, i) + c + cell.substr(i + 1));  // mistyped
    if (i + 1 < cell.size()) {                                                        // swapped
      std::string swapped = cell;
      std::swap(swapped[i], swapped[i + 1]);
      keep(swapped);
    }
  }
  return texts;
}

bool Touches(const MeasureRule& rule, std::string_view code) {
  return rule.right.from == code || rule.right.to == code || rule.left.from == code ||
         rule.left.to == code;
}

using MeasureSet = std::array<bool, kMeasureCount>;

std::size_t Count(const MeasureSet& set) {
  std::size_t count = 0;
  for (bool in : set) count += in;
  return count;
}

// How many landmarks of a side lie on the other side of the body: a limb's
// landmarks on the far side of the midpoint of its shoulders or pelvis points
// from their own shoulder or pelvis point. A slip that leaves a landmark on
// the wrong side is the less likely of two that explain the same marks.
std::size_t OnTheWrongSide(const BodyPoints& body) {
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < kLandmarkCount; ++i) {
    const std::string_view code = LandmarkSet[i];
    if (body.missing[i] || (code[0] != 'R' && code[0] != 'L')) continue;
    const bool arm = i < BodyPointOf("RPEL");
    const std::size_t right = BodyPointOf(arm ? "RSHO" : "RPEL");
    const std::size_t left = BodyPointOf(arm ? "LSHO" : "LPEL");
    const std::size_t middle = arm ? kNeck : kSacrum;
    if (body.missing[right] || body.missing[left] || body.missing[middle]) continue;
    double across = 0;  // along the line from the right to the left point
    for (std::size_t k = 0; k < 3; ++k) {
      across += (body.at[i][k] - body.at[middle][k]) * (body.at[left][k] - body.at[right][k]);
    }
    if ((code[0] == 'R' && across > 0) || (code[0] == 'L' && across < 0)) ++wrong;
  }
  return wrong;
}

// The most marks one slip in a landmark's cells clears without marking
// another measure, and the cells whose slips clear them.
struct BestSlip {
  MeasureSet cleared{};
  std::size_t wrong_side = 0;  // landmarks on the wrong side after the slip
  std::vector<std::size_t> axes;
};

// Whether the sides of a marked measure through the landmark come near
// enough together to be unmarked: a quick look in numbers, before the
// measures are taken in full.
bool MayClearAMark(const BodyPoints& body, const MeasureSet& marked, std::size_t landmark) {
  for (std::size_t m = 0; m < kMeasureCount; ++m) {
    const MeasureRule& rule = MeasureRules[m];
    if (!marked[m] || !Touches(rule, LandmarkSet[landmark])) continue;
    const std::optional<double> right = SpanLength(body, rule.right);
    const std::optional<double> left = SpanLength(body, rule.left);
    if (!right || !left) continue;
    const double mean = (*right + *left) / 2;
    // Shown with one decimal, a difference up to 10.05 % is not marked.
    if (mean == 0 || std::fabs(*right - *left) / mean * 100 < kMarkedDifference + 0.1) return true;
  }
  return false;
}

// "RELB's z", or "RELB" when more than one of its cells would do; with
// `named_cell` the cell too: "RELB's z (D5)", "RELB (row 5)".
std::string SlipPlace(const GivenLandmarks& given, std::size_t landmark,
                      const std::vector<std::size_t>& axes, bool named_cell) {
  std::string place(LandmarkSet[landmark]);
  const std::uint64_t row = given[landmark].row;
  if (axes.size() == 1) {
    place += "'s " + std::string(kAxisNames[axes.front()]);
    if (named_cell) place += " (" + CellName(row, axes.front() + 1) + ")";
  } else if (named_cell) {
    place += " (row " + std::to_string(row) + ")";
  }
  return place;
}

BestSlip BestSlipOf(const GivenLandmarks& given, const BodyPoints& body, const MeasureSet& marked,
                    std::size_t landmark) {
  BestSlip best;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    MeasureSet axis_best{};
    std::size_t axis_wrong_side = 0;
    for (const std::string& text : OneSlipAway(given[landmark].cells[axis])) {
      BodyPoints slipped = body;
      slipped.at[landmark][axis] = FigureCoordinate(landmark, axis, text);
      if (!MayClearAMark(slipped, marked, landmark)) continue;
      const MeasureSet now = Marked(slipped);
      MeasureSet cleared{};
      bool marks_another = false;
      for (std::size_t i = 0; i < kMeasureCount; ++i) {
        cleared[i] = marked[i] && !now[i];
        marks_another = marks_another || (now[i] && !marked[i]);
      }
      if (marks_another || Count(cleared) == 0 || Count(cleared) < Count(axis_best)) continue;
      const std::size_t wrong_side = OnTheWrongSide(slipped);
      if (Count(cleared) > Count(axis_best) || wrong_side < axis_wrong_side) {
        axis_best = cleared;
        axis_wrong_side = wrong_side;
      }
    }
    if (Count(axis_best) == 0) continue;
    if (Count(axis_best) > Count(best.cleared) ||
        (axis_best == best.cleared && axis_wrong_side < best.wrong_side)) {
      best.cleared = axis_best;
      best.wrong_side = axis_wrong_side;
      best.axes = {axis};
    } else if (axis_best == best.cleared && axis_wrong_side == best.wrong_side) {
      best.axes.push_back(axis);
    }
  }
  return best;
}

}  // namespace

BodyPoints FigurePoints(const GivenLandmarks& given) {
  BodyPoints body;
  std::array<TablePoint, kLandmarkCount> table{};
  for (std::size_t i = 0; i < kLandmarkCount; ++i) {
    body.missing[i] = given[i].row == 0;
    if (body.missing[i]) continue;
    table[i] = TablePointOf(i, given[i].cells);
    body.at[i] = FigurePoint(table[i]);
  }
  const auto derive = [&](std::size_t point, std::string_view right, std::string_view left) {
    const std::size_t r = BodyPointOf(right), l = BodyPointOf(left);
    body.missing[point] = body.missing[r] || body.missing[l];
    if (!body.missing[point]) body.at[point] = FigurePoint(Midpoint(table[l], table[r]));
  };
  derive(kNeck, "RSHO", "LSHO");
  derive(kSacrum, "RPEL", "LPEL");
  return body;
}

void FindSideDifferences(const GivenLandmarks& given, std::vector<Finding>& findings) {
  const BodyPoints body = FigurePoints(given);
  const std::array<Measure, kMeasureCount> measures = MeasureBody(body);
  const MeasureSet marked = Marked(body);
  if (Count(marked) == 0) return;
  std::array<BestSlip, kLandmarkCount> best;
  for (std::size_t landmark = 0; landmark < kLandmarkCount; ++landmark) {
    bool touches_a_mark = false;
    for (std::size_t m = 0; m < kMeasureCount; ++m) {
      touches_a_mark =
          touches_a_mark || (marked[m] && Touches(MeasureRules[m], LandmarkSet[landmark]));
    }
    if (touches_a_mark && given[landmark].row != 0) {
      best[landmark] = BestSlipOf(given, body, marked, landmark);
    }
  }
  for (std::size_t m = 0; m < kMeasureCount; ++m) {
    if (!marked[m]) continue;
    const Measure& measure = measures[m];
    Finding finding{FindingKind::kWarning, 0, std::nullopt,
                    std::string(measure.name) + ": " + *measure.warning};
    // The landmarks whose one slip clears this mark and the most others,
    // leaving the fewest landmarks on the wrong side.
    std::vector<std::size_t> likeliest;
    for (std::size_t landmark = 0; landmark < kLandmarkCount; ++landmark) {
      if (!best[landmark].cleared[m]) continue;
      if (!likeliest.empty()) {
        const BestSlip& a = best[landmark];
        const BestSlip& b = best[likeliest.front()];
        const auto rank = [](const BestSlip& slip) {
          return std::make_pair(Count(slip.cleared), -static_cast<long>(slip.wrong_side));
        };
        if (rank(a) < rank(b)) continue;
        if (rank(b) < rank(a)) likeliest.clear();
      }
      likeliest.push_back(landmark);
    }
    if (likeliest.size() == 1) {
      const std::size_t culprit = likeliest.front();
      const std::vector<std::size_t>& axes = best[culprit].axes;
      finding.row = given[culprit].row;
      if (axes.size() == 1) finding.column = axes.front() + 1;
      finding.what += " (one typing slip in " + SlipPlace(given, culprit, axes, false) +
                      (axes.size() == 1 ? ", here," : ", on this row,") + " would explain it)";
    } else if (likeliest.size() == 2) {
      finding.what += " (one typing slip in " +
                      SlipPlace(given, likeliest[0], best[likeliest[0]].axes, true) + " or in " +
                      SlipPlace(given, likeliest[1], best[likeliest[1]].axes, true) +
                      " would explain it)";
    }
    findings.push_back(std::move(finding));
  }
}

}  // namespace torsova::form
