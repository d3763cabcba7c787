// torsova's reading of a form set against the spreadsheet's: every field the
// cell check reads is traced to the cell it comes from, judged by the cell
// check's rules for the column it stands in, and every place where the two
// readings part is named.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/findings.h"

namespace torsova::form {

// A landmark row as the form gives it: the fields read from its cells A to
// D. A coordinate that is blank or not a usable number is none.
struct FormRow {
  std::uint64_t row = 0;
  std::string label;
  std::array<std::optional<std::string>, 3> coordinates;
};

// Reads `form` as torsova's cell check does, adding to `findings` the faults
// of its cells and rows and the places where torsova reads cells out of step
// with the spreadsheet. Hands each landmark row to `row_read`, in the form's
// order.
void ReadForm(std::string_view form, std::vector<Finding>& findings,
              const std::function<void(const FormRow&)>& row_read);

}  // namespace torsova::form
