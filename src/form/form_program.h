// torsova-form as a whole: reads the command line and checks, converts or
// writes a form. Messages go to standard error as "torsova-form: FILE: what".
#pragma once

#include <string>
#include <vector>

namespace torsova::form {

// The exit status: 0 when torsova accepts the form checked or converted, or
// the blank form is written; 1 when torsova refuses it, or a file cannot be
// read or written; 2 for wrong usage.
int RunFormProgram(const std::vector<std::string>& arguments);

}  // namespace torsova::form
