// The arguments of a command-line tool read the usual way: options that are
// switches, "-o"/"--output" with its value, "--" to end the options, and the
// rest as operands in their order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torsova {

struct Switch {
  std::string_view name;  // "--help"
  bool* set;              // set to true when given
};

struct ProgramArguments {
  std::vector<std::string> operands;  // as given; "-" alone is one
  std::optional<std::string> output;  // the value of -o/--output, as given
  std::string usage_error;            // empty when the arguments are usable
};

// Reads `arguments` (those after the program's name) up to the first fault:
// an unknown option, -o given twice, or -o without `output_value` ("a PATH")
// after it.
ProgramArguments ReadProgramArguments(const std::vector<std::string>& arguments,
                                      const std::vector<Switch>& switches,
                                      std::string_view output_value);

}  // namespace torsova
