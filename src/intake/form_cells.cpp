#include "intake/form_cells.h"

#include <algorithm>
#include <cstddef>

namespace torsova {

void DropCommas(std::string& line) {
  std::size_t kept = line.find(',');
  if (kept == std::string::npos) return;
  for (std::size_t comma = kept; comma < line.size();) {
    const std::size_t next = std::min(line.find(',', comma + 1), line.size());
    // Forwards, onto places already passed: a long title is moved in runs,
    // not a character at a time.
    std::copy(line.begin() + static_cast<std::ptrdiff_t>(comma + 1),
              line.begin() + static_cast<std::ptrdiff_t>(next),
              line.begin() + static_cast<std::ptrdiff_t>(kept));
    kept += next - comma - 1;
    comma = next;
  }
  line.resize(kept);
}

void WalkFormCells(InputFile& form, const std::function<bool(FormCell&)>& visit) {
  FormCell cell;
  while (!form.AtEnd()) {
    ++cell.row;
    for (CellRole role : {CellRole::kLabel, CellRole::kX, CellRole::kY, CellRole::kZ}) {
      cell.role = role;
      cell.start = form.Position();
      cell.text = form.ReadTextField();
      if (role == CellRole::kLabel) {
        cell.fault = cell.text.empty() ? CoordinateCellFault::kBlank : CoordinateCellFault::kNone;
      } else {
        // x, y and z alike. z is kept as a single and never goes through the
        // mask, but it is in the same unit as x and y, a single has no
        // hundredths left at that size, and the limit keeps it far inside the
        // single range.
        cell.fault = CheckCoordinateCell(cell.text);
      }
      if (!visit(cell)) return;
    }
  }
}

}  // namespace torsova
