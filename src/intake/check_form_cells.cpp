#include "intake/check_form_cells.h"

#include <memory>
#include <string>
#include <utility>

#include "intake/coordinate_cell.h"
#include "intake/form_cells.h"
#include "run/pages.h"
#include "run/run_files.h"
#include "textio/input_file.h"
#include "textio/output_channel.h"

namespace torsova {
namespace {

// Closes the form, then shows the page of the cell's fault; returns only when
// the cell passed.
void RefuseFaultyCell(RunState& state, InputFile& form, const std::string& cell,
                      CoordinateCellFault fault) {
  if (fault == CoordinateCellFault::kNone) return;
  form.Close();
  // No case needs a break: each page ends the run and never returns.
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

  // The title is read straight into its place: it may be very long, and is
  // kept only once. A form that is not there reads no line and leaves it empty.
  state.FormTitle.clear();
  form.ReadLine(state.FormTitle);
  DropCommas(state.FormTitle);
  form.SkipLine();  // the headings

  state.DataRowCount = 0;
  state.FormLabels.clear();
  WalkFormCells(form, [&](FormCell& cell) {
    if (cell.role == CellRole::kLabel) ++state.DataRowCount;
    RefuseFaultyCell(state, form, cell.text, cell.fault);
    if (cell.role == CellRole::kLabel) state.FormLabels.push_back(std::move(cell.text));
    return true;
  });
  form.Close();
}

}  // namespace torsova
