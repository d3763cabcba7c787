// What torsova-form finds in a form, each in its place: a cell, a whole row,
// or the form as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torsova::form {

enum class FindingKind {
  kFault,       // torsova refuses the form for it
  kSeparators,  // saved with other separators; comes before everything else
  kOutOfStep,   // cells that torsova reads out of step with the spreadsheet
  kWarning,     // torsova accepts it, but not as the user may think
};

struct Finding {
  FindingKind kind = FindingKind::kWarning;
  std::uint64_t row = 0;              // the spreadsheet's row; 0 for the form as a whole
  std::optional<std::size_t> column;  // from 0; none for a whole row
  std::string what;
};

// Sorts findings into the form's order: the separators first, then row by
// row (a whole row before its cells, cells by column, each place's findings
// in the order they were made), then those of the form as a whole.
void SortInFormOrder(std::vector<Finding>& findings);

// "FILE:CELL: what", "FILE:ROW: what" or "FILE: what".
std::string FindingLine(const std::string& file, const Finding& finding);

}  // namespace torsova::form
