// The command line of torsova-form:
//   torsova-form check [FORM]
//   torsova-form convert IN [-o OUT] [--force]
//   torsova-form new [-o OUT] [--force] [TITLE]
//   torsova-form FORM           (a form dropped on the program: check FORM)
//   torsova-form --help | --version
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace torsova::form {

enum class FormCommand { kCheck, kConvert, kNew };

struct FormOptions {
  bool help = false;
  bool version = false;
  FormCommand command = FormCommand::kCheck;
  std::optional<std::string> operand;  // FORM, IN or TITLE, as given
  std::optional<std::string> output;   // OUT, as given
  bool force = false;
};

struct ParsedCommandLine {
  FormOptions options;
  std::string usage_error;  // empty when the arguments are usable
};

// Reads the arguments after the program's name. The first argument that is
// not an option names the command, unless it is none of them: it is then the
// form to check. "--" ends the options.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
extern const char kUsage[];

}  // namespace torsova::form
