// The cells of a form as the cell check reads them, apart from what the check
// does about a fault: the check stops at the first, torsova-form goes on and
// names them all.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "intake/coordinate_cell.h"
#include "textio/input_file.h"

namespace torsova {

// A data row's four cells, in the order they are read.
enum class CellRole { kLabel, kX, kY, kZ };

struct FormCell {
  CellRole role = CellRole::kLabel;
  std::uint64_t row = 0;    // the data row, from 1
  std::uint64_t start = 0;  // the file position its field is read from
  std::string text;         // the field as read
  // A label's only fault is kBlank; a coordinate's are those of
  // CheckCoordinateCell.
  CoordinateCellFault fault = CoordinateCellFault::kNone;
};

// The title the form's first line gives: the line with every comma dropped.
//   "\"Smith, J\", 40,," -> "\"Smith J\" 40"
void DropCommas(std::string& line);

// Reads the data rows of `form`, whose title and heading lines have been
// read: while the form is not at its end, a label and three coordinates, each
// a text field, each handed to `visit` with its fault. Fields run on across
// line ends, so a row of the wrong length shifts every later cell. Stops early
// when `visit` returns false.
void WalkFormCells(InputFile& form, const std::function<bool(FormCell&)>& visit);

}  // namespace torsova
