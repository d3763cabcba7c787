// The study's look across its bodies: for each of the 18 columns of the
// measures (the single measures and each side of a pair) the median and the
// median absolute deviation of the measure's ratio to the body's height (of
// the height itself for the height), and per body the cells that stand out:
// a side difference the body's own measures mark, or a ratio far from the
// study's by the modified z-score 0.6745 (r - median) / MAD beyond 3.5.
// Medians come from sorting and every number from plain arithmetic, so a
// study gives the same flags and texts on every system.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "landmarks/body_measures.h"

namespace torsova::view {

constexpr std::size_t kStudyColumns = 18;

// Fewer body figures than this (or fewer having a column's measure and a
// height) give no study flags: a median of a handful says little.
constexpr std::size_t kLeastForStudyFlags = 10;
constexpr double kStudyFlagScore = 3.5;

enum class Side { kSingle, kRight, kLeft };

struct StudyColumn {
  std::size_t measure;  // into MeasureRules
  Side side;
  std::string id;    // the CSV column: "height", "thigh_right"
  std::string name;  // in words: "height", "right thigh"
};

// The columns in the order of --measures.
const std::array<StudyColumn, kStudyColumns>& StudyColumns();

// A column's length in a body's measures; none where a landmark is missing.
std::optional<double> ColumnLength(const std::array<Measure, kMeasureCount>& measures,
                                   std::size_t column);

enum class Way { kLow, kHigh };

// What stands out in one cell of a body's row. `reason` says it in words,
// the side difference first when there are both:
//   "the sides differ by 23 %: check the form"
//   "right thigh 41 % of height, the study's median 26 %: check the form"
//   "height 1712.00, the study's median 171.50: check the form"
struct CellFlag {
  std::size_t column = 0;
  bool side = false;
  bool study = false;
  std::optional<Way> way;  // with a study flag
  std::string reason;
};

struct ColumnStatistics {
  std::size_t count = 0;         // bodies with the measure and a height above 0
  std::optional<double> median;  // of the ratio; of the height for the height
  std::optional<double> mad;
  bool flags = false;       // whether study flags were looked for in it
  std::string median_text;  // "26 % of height", "171.50"; empty without a median
};

struct StudyStatistics {
  bool study_flags = false;  // at least kLeastForStudyFlags bodies
  std::array<ColumnStatistics, kStudyColumns> columns;
  std::vector<std::vector<CellFlag>> flags;  // per body, by column
  std::size_t flagged = 0;                   // bodies with at least one flag
};

// The statistics and flags of the bodies whose measures are given, in order.
StudyStatistics ComputeStudyStatistics(
    const std::vector<std::array<Measure, kMeasureCount>>& bodies);

// The median of `values` (sorted in place); none for no values.
std::optional<double> Median(std::vector<double>& values);

}  // namespace torsova::view
