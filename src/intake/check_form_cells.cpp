#include "intake/check_form_cells.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "intake/coordinate_cell.h"
#include "run/pages.h"
#include "run/run_files.h"
#include "textio/input_file.h"
#include "textio/output_channel.h"

namespace torsova {
namespace {

// Removes every comma and keeps the other characters in order, moving the
// runs between commas rather than single characters.
void RemoveCommas(std::string& text) {
  std::size_t kept = text.find(',');
  if (kept == std::string::npos) return;
  for (std::size_t comma = kept; comma < text.size();) {
    const std::size_t next = std::min(text.find(',', comma + 1), text.size());
    // Forwards, onto places already passed.
    std::copy(text.begin() + static_cast<std::ptrdiff_t>(comma + 1),
              text.begin() + static_cast<std::ptrdiff_t>(next),
              text.begin() + static_cast<std::ptrdiff_t>(kept));
    kept += next - comma - 1;
    comma = next;
  }
  text.resize(kept);
}

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
  RemoveCommas(state.FormTitle);
  form.SkipLine();  // the headings

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
