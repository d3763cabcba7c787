// torsova-form check: every finding of a form in its place, and torsova's
// own verdict on it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/findings.h"
#include "form/torsova_verdict.h"

namespace torsova::form {

struct FormCheck {
  std::vector<Finding> findings;  // in the form's order
  TorsovaVerdict verdict;
};

// Checks the form's bytes. A form saved with other separators gets one
// finding for that, then the findings of its converted copy, whose rows and
// cells are the form's own; the verdict is always on the bytes as they are.
FormCheck CheckForm(std::string_view form);

// What check prints for the form named `file`: a line for each finding, then
// the verdict's line, each ended by LF. Control characters of the form's
// text are shown as \xHH, so that a form cannot drive the terminal.
std::string CheckText(const std::string& file, const FormCheck& check);

// The findings of a form read as it is: cells, rows and landmarks.
void FindInForm(std::string_view form, std::vector<Finding>& findings);

}  // namespace torsova::form
