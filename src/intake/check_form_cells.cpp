#include "intake/check_form_cells.h"

#include <memory>
#include <string>
#include <utility>

#include "intake/coordinate_cell.h"
#include "run/pages.h"
#include "textio/input_file.h"
#include "textio/output_channel.h"

namespace torsova {
namespace {

constexpr char kFormName[] = "BodyXYZ.CSV";
constexpr char kLandmarkTableName[] = "Work2.CSV";

// Closes the form, then shows the page of the cell's fault; returns only when
// the cell passed.
void RefuseFaultyCell(RunState& state, InputFile& form, const std::string& cell,
                      CoordinateCellFault fault) {
  if (fault == CoordinateCellFault::kNone) return;
  form.Close();
  switch (fault) {
    case CoordinateCellFault::kBlank:
      ShowBlankCellPage(state);
    case CoordinateCellFault::kNotANumber:
      ShowNotANumberPage(state, cell);
    case CoordinateCellFault::kTooLarge:
      ShowTooLargePage(state, cell);
    case CoordinateCellFault::kNone:
      break;
  }
}

}  // namespace

void CheckFormCells(RunState& state) {
  Folder& folder = state.platform.folder;
  InputFile form(folder, kFormName);
  state.landmark_table = std::make_unique<OutputChannel>(folder, kLandmarkTableName);

  std::string line;  // a form that is not there reads no line and leaves this empty
  form.ReadLine(line);
  state.FormTitle.clear();
  for (char c : line) {
    if (c != ',') state.FormTitle += c;
  }
  form.ReadLine(line);  // the headings

  state.DataRowCount = 0;
  state.FormLabels.clear();
  while (!form.AtEnd()) {
    ++state.DataRowCount;
    std::string label = form.ReadTextField();
    if (label.empty()) RefuseFaultyCell(state, form, label, CoordinateCellFault::kBlank);
    state.FormLabels.push_back(std::move(label));
    // x, y and z alike. z is kept as a single and never goes through the mask,
    // but it is in the same unit as x and y, a single has no hundredths left at
    // that size, and the limit keeps it far inside the single range.
    for (int coordinate = 0; coordinate < 3; ++coordinate) {
      const std::string cell = form.ReadTextField();
      RefuseFaultyCell(state, form, cell, CheckCoordinateCell(cell));
    }
  }
  form.Close();
}

}  // namespace torsova
