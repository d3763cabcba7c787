#include "platform/program_arguments.h"

namespace torsova {

ProgramArguments ReadProgramArguments(const std::vector<std::string>& arguments,
                                      const std::vector<Switch>& switches,
                                      std::string_view output_value) {
  ProgramArguments read;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size() && read.usage_error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      read.operands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    if (argument == "-o" || argument == "--output") {
      if (read.output) {
        read.usage_error = argument + " is given twice";
      } else if (i + 1 == arguments.size()) {
        read.usage_error = argument + " needs " + std::string(output_value) + " after it";
      } else {
        read.output = arguments[++i];
      }
      continue;
    }
    bool known = false;
    for (const Switch& option : switches) {
      if (argument != option.name) continue;
      *option.set = true;
      known = true;
      break;
    }
    if (!known) read.usage_error = "unknown option \"" + argument + "\"";
  }
  return read;
}

}  // namespace torsova
