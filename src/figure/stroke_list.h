// The fixed shape of every figure torsova writes: the rows of "Work4.CSV" it
// draws from, the StrokeList and the ExtremityMarks. The figure writer walks
// these tables to write a figure, the viewer to recognise one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "landmarks/landmark_set.h"

namespace torsova {

// The first line of every figure torsova writes.
inline constexpr std::string_view kFigureFirstLine = "#3D body file created by Torsova.";

// Rows of "Work4.CSV", 1 to 20: the LandmarkSet with NECK after CRAN and
// SACR after RPEL.
constexpr std::size_t kFigureRows = 20;

// The label of a row of "Work4.CSV".
//   1 -> "CRAN"    2 -> "NECK"    11 -> "RPEL"    12 -> "SACR"    20 -> "TAIL"
constexpr std::string_view FigureRowLabel(std::size_t row) {
  if (row == 2) return DerivedLandmarks[0];
  if (row == 12) return DerivedLandmarks[1];
  return LandmarkSet[row < 2 ? row - 1 : row < 12 ? row - 2 : row - 3];
}

// The point codes of the viewer.
constexpr std::int16_t kCircle = -7;    // a circle mark, joined to nothing
constexpr std::int16_t kNewStroke = 0;  // not joined to the point before
constexpr std::int16_t kJoined = 7;     // joined to the point before

// How a stroke point's code is written.
enum class CodeKind {
  kFixed,    // the code itself as a plain integer
  kFlagged,  // 7 or 0, by the presence of the landmark
};

struct StrokePoint {
  std::size_t row;  // in "Work4.CSV"
  CodeKind kind;
  std::int16_t code;     // fixed codes only
  std::size_t presence;  // flagged codes only: the LandmarkSet position, 1 to 18
};

constexpr StrokePoint Fixed(std::size_t row, std::int16_t code) {
  return {row, CodeKind::kFixed, code, 0};
}
constexpr StrokePoint Flagged(std::size_t row, std::size_t presence) {
  return {row, CodeKind::kFlagged, 0, presence};
}

// The head circle, the spine, shoulders and pelvis, the four limbs and the
// tail. A flagged point whose landmark the form lacked begins a new stroke,
// so no line ends at it.
inline constexpr std::array<StrokePoint, 26> StrokeList = {{
    Fixed(1, kCircle),      // CRAN: the head
    Fixed(1, kNewStroke),   // CRAN
    Fixed(2, kJoined),      // NECK
    Fixed(12, kJoined),     // SACR
    Fixed(7, kNewStroke),   // LSHO
    Fixed(3, kJoined),      // RSHO
    Fixed(16, kNewStroke),  // LPEL
    Fixed(11, kJoined),     // RPEL
    Fixed(7, kNewStroke),   // LSHO
    Flagged(8, 7),          // LELB
    Flagged(9, 8),          // LWRI
    Flagged(10, 9),         // LFNG
    Fixed(3, kNewStroke),   // RSHO
    Flagged(4, 3),          // RELB
    Flagged(5, 4),          // RWRI
    Flagged(6, 5),          // RFNG
    Fixed(16, kNewStroke),  // LPEL
    Flagged(17, 15),        // LKNE
    Flagged(18, 16),        // LANK
    Flagged(19, 17),        // LTOE
    Fixed(11, kNewStroke),  // RPEL
    Flagged(13, 11),        // RKNE
    Flagged(14, 12),        // RANK
    Flagged(15, 13),        // RTOE
    Fixed(12, kNewStroke),  // SACR
    Flagged(20, 18),        // TAIL
}};

// A small circle at each hand and foot: at the finger or toe when the form
// gave it, otherwise at the wrist or ankle. Tested in this order for the
// label of every row.
struct ExtremityMark {
  std::string_view label;
  std::size_t presence;  // LandmarkSet position of the finger or toe tested
  float required;        // its TablePresenceFlags entry must equal this
  std::size_t row;       // the row marked
};

inline constexpr std::array<ExtremityMark, 8> ExtremityMarks = {{
    {"LFNG", 9, 1, 10},
    {"LWRI", 9, 0, 9},
    {"RFNG", 5, 1, 6},
    {"RWRI", 5, 0, 5},
    {"LTOE", 17, 1, 19},
    {"LANK", 17, 0, 18},
    {"RTOE", 13, 1, 15},
    {"RANK", 13, 0, 14},
}};

}  // namespace torsova
