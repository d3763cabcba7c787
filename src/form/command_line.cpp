#include "form/command_line.h"

#include <string_view>
#include <utility>

#include "platform/program_arguments.h"

namespace torsova::form {

const char kUsage[] =
    "Usage: torsova-form check [FORM]\n"
    "       torsova-form convert IN [-o OUT] [--force]\n"
    "       torsova-form new [-o OUT] [--force] [TITLE]\n"
    "Looks at a landmark form the way torsova reads it and tells every fault at\n"
    "once, in the spreadsheet's terms.\n"
    "\n"
    "  check [FORM]    print each finding as FILE:CELL: what, then whether torsova\n"
    "                  accepts the form; FORM is BodyXYZ.CSV of the current folder\n"
    "                  (in any letter case) unless named. torsova-form FORM, as when\n"
    "                  a form is dropped on the program, is check FORM\n"
    "  convert IN      write the form torsova reads from one saved with semicolons\n"
    "                  or tabs, decimal commas, quotes, a byte-order mark or LF line\n"
    "                  ends, then check it; OUT is BodyXYZ.CSV in IN's folder\n"
    "  new [TITLE]     write a blank form of the 18 landmarks to fill in; OUT is\n"
    "                  BodyXYZ.CSV in the current folder\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT  write to OUT\n"
    "  --force           replace an existing OUT (never IN)\n"
    "  --help            print this help\n"
    "  --version         print the version\n"
    "\n"
    "Exit status: 0 when torsova accepts the form (for new: when written), 1 when\n"
    "it refuses it, or a file cannot be read or written, 2 for wrong usage.\n";

namespace {

std::string CommandName(FormCommand command) {
  switch (command) {
    case FormCommand::kConvert:
      return "convert";
    case FormCommand::kNew:
      return "new";
    case FormCommand::kCheck:
      break;
  }
  return "check";
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  FormOptions& options = parsed.options;
  ProgramArguments read = ReadProgramArguments(
      arguments,
      {{"--help", &options.help}, {"--version", &options.version}, {"--force", &options.force}},
      "a file");
  std::vector<std::string>& operands = read.operands;
  options.output = std::move(read.output);
  parsed.usage_error = std::move(read.usage_error);
  // The first operand names the command, unless it is none of them.
  if (!operands.empty()) {
    static constexpr std::pair<std::string_view, FormCommand> kCommands[] = {
        {"check", FormCommand::kCheck},
        {"convert", FormCommand::kConvert},
        {"new", FormCommand::kNew}};
    for (const auto& [name, command] : kCommands) {
      if (operands.front() != name) continue;
      options.command = command;
      operands.erase(operands.begin());
      break;
    }
  }
  if (!parsed.usage_error.empty() || options.help || options.version) return parsed;

  const std::string command = CommandName(options.command);
  if (operands.size() > 1) {
    parsed.usage_error = command + " takes one " +
                         (options.command == FormCommand::kNew ? "TITLE" : "form") + "; \"" +
                         operands[1] + "\" is one too many";
    return parsed;
  }
  if (!operands.empty()) options.operand = operands.front();
  if (options.command == FormCommand::kCheck && (options.output || options.force)) {
    parsed.usage_error = "check writes nothing and takes neither -o nor --force";
  } else if (options.command == FormCommand::kConvert && !options.operand) {
    parsed.usage_error = "convert needs the form IN to convert";
  } else if (options.output && options.output->empty()) {
    parsed.usage_error = "the output OUT is empty";
  } else if (options.command != FormCommand::kNew && options.operand && options.operand->empty()) {
    parsed.usage_error = "the form's name is empty";
  } else if (options.command == FormCommand::kNew && options.operand &&
             options.operand->find_first_of("\r\n") != std::string::npos) {
    parsed.usage_error = "the TITLE is one line";
  }
  return parsed;
}

}  // namespace torsova::form
