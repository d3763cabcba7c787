#include "tables/derive_landmarks.h"

#include <array>
#include <optional>
#include <string>

#include "landmarks/landmark_set.h"
#include "run/pages.h"
#include "run/run_files.h"
#include "textio/input_file.h"

namespace torsova {
namespace {

// The landmark table as this stage reads it back.

struct Point {
  double x = 0;
  double y = 0;
  float z = 0;
};

// The midpoint rounded once to each coordinate's type. Worked in double
// precision: the halving is exact, and two singles added there give a sum
// whose midpoint rounds to the same single as the exact one.
Point Midpoint(const Point& a, const Point& b) {
  Point mid;
  mid.x = (a.x + b.x) / 2.0;
  mid.y = (a.y + b.y) / 2.0;
  mid.z = static_cast<float>((static_cast<double>(a.z) + static_cast<double>(b.z)) / 2.0);
  return mid;
}

// One row of "Work4.CSV": label, x, y, z.
void WriteFigureRow(OutputChannel& table, std::string_view label, const Point& point) {
  table.WriteText(label);
  table.WriteText(",");
  table.WriteMaskNumber(point.x);
  table.WriteText(",");
  table.WriteMaskNumber(point.y);
  table.WriteText(",");
  table.WritePlainSingle(point.z, true);
}

// Writes "Work3.CSV": the table's rows copied byte for byte, in LandmarkSet
// order by the last four characters of their label field. True when the
// file was written whole.
bool WriteSortedTable(Folder& folder) {
  std::array<std::string, kLandmarkCount> table_lines;
  std::array<std::string, kLandmarkCount> table_labels;
  {
    InputFile table(folder, kLandmarkTableReadBackName);
    table.SkipLine();  // the title
    for (std::string& line : table_lines) table.ReadLine(line);
  }
  {
    InputFile table(folder, kLandmarkTableReadBackName);
    table.SkipLine();  // the title
    for (std::string& label : table_labels) {
      table.ReadSingleField();
      label = table.ReadTextField();
      table.ReadSingleField();
      table.ReadSingleField();
      table.ReadSingleField();
    }
  }
  OutputChannel sorted(folder, kSortedTableName);
  for (std::string_view set_label : LandmarkSet) {
    for (std::size_t k = 0; k < kLandmarkCount; ++k) {
      if (LastFour(table_labels[k]) == set_label) sorted.WriteText(table_lines[k], true);
    }
  }
  return sorted.Close();
}

}  // namespace

void DeriveLandmarks(RunState& state) {
  Folder& folder = state.platform.folder;
  const bool sorted_complete = WriteSortedTable(folder);

  // Positions 1 to 18 of the sorted table are elements 0 to 17.
  std::array<std::string, kLandmarkCount> row_labels;
  std::array<Point, kLandmarkCount> points;
  std::optional<OutputChannel> figure_table;
  {
    InputFile sorted(folder, kSortedTableName);
    figure_table.emplace(folder, kFigureTableName);
    for (std::size_t i = 0; i < kLandmarkCount; ++i) {
      state.TablePresenceFlags[i] = sorted.ReadSingleField();
      row_labels[i] = sorted.ReadTextField();
      points[i].x = sorted.ReadDoubleField();
      points[i].y = sorted.ReadDoubleField();
      points[i].z = sorted.ReadSingleField();
    }
  }

  // Taken by position, not by label: RSHO 2, LSHO 6, RPEL 10, LPEL 14.
  const Point neck = Midpoint(points[5], points[1]);
  points[0] = Midpoint(neck, points[0]);  // the cranium moves halfway to the neck
  const Point sacrum = Midpoint(points[13], points[9]);

  for (std::size_t i = 0; i < kLandmarkCount; ++i) {
    if (i == 1) WriteFigureRow(*figure_table, DerivedLandmarks[0], neck);
    if (i == 10) WriteFigureRow(*figure_table, DerivedLandmarks[1], sacrum);
    WriteFigureRow(*figure_table, row_labels[i], points[i]);
  }
  const bool figure_table_complete = figure_table->Close();

  if (!sorted_complete) ShowWriteFailurePage(state, kSortedTableName);
  if (!figure_table_complete) ShowWriteFailurePage(state, kFigureTableName);
}

}  // namespace torsova
