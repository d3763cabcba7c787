#include "view/command_line.h"

#include <utility>

#include "platform/program_arguments.h"

namespace torsova::view {

const char kUsage[] =
    "Usage: torsova-view [OPTIONS] [FIGURE]\n"
    "       torsova-view --measures [--bom] [FIGURE...]\n"
    "       torsova-view --study [-o PATH] FIGURE...\n"
    "Shows the figure file FIGURE (by default 3D_BODY.ROT in the current folder,\n"
    "in any letter case) as an interactive page that turns and zooms in a web\n"
    "browser, written beside it with the extension .html.\n"
    "\n"
    "Options:\n"
    "  --svg              write the front, side and top views as a drawing (.svg)\n"
    "                     instead of the page\n"
    "  -o, --output PATH  write to PATH (an ending .svg selects the drawing);\n"
    "                     - writes to standard output\n"
    "  --list             write no file; print the figure's line segments and\n"
    "                     circles as CSV on standard output\n"
    "  --open             open what was written with the system's default program\n"
    "  --labels           in the drawing, write each landmark's code beside its point\n"
    "  --measures         write no file; print the body's measures of each FIGURE\n"
    "                     (several may be named) as CSV on standard output\n"
    "  --bom              with --measures: start the table with a UTF-8 byte-order\n"
    "                     mark, for spreadsheets that otherwise take it for the\n"
    "                     system's code page\n"
    "  --study            write one page of all the body figures FIGURE... (study.html\n"
    "                     unless -o names another): their measures in a table, the\n"
    "                     ones likely mistyped flagged, the bodies side by side, a\n"
    "                     scatter plot against height and chosen bodies compared\n"
    "  --help             print this help\n"
    "  --version          print the version\n"
    "\n"
    "A figure written by torsova is a body figure: the page and the drawing name its\n"
    "landmarks, show the ones the form lacked and give the body's measures.\n"
    "\n"
    "Exit status: 0 when done, 1 when the figure cannot be read or the output\n"
    "cannot be written (with --measures and --study: when any FIGURE cannot be read\n"
    "or is not a body figure), 2 for wrong usage.\n";

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  ViewOptions& options = parsed.options;
  ProgramArguments read = ReadProgramArguments(arguments,
                                               {{"--help", &options.help},
                                                {"--version", &options.version},
                                                {"--list", &options.list},
                                                {"--svg", &options.svg},
                                                {"--open", &options.open},
                                                {"--labels", &options.labels},
                                                {"--measures", &options.measures},
                                                {"--bom", &options.bom},
                                                {"--study", &options.study}},
                                               "a PATH");
  options.figures = std::move(read.operands);
  options.output = std::move(read.output);
  parsed.usage_error = std::move(read.usage_error);
  if (!options.figures.empty()) options.figure = options.figures.front();
  if (parsed.usage_error.empty() && options.figures.size() > 1 && !options.measures &&
      !options.study) {
    parsed.usage_error =
        "only one figure can be shown at a time; \"" + options.figures[1] + "\" is one too many";
  }
  if (!parsed.usage_error.empty() || options.help || options.version) return parsed;
  if (options.bom && !options.measures) {
    parsed.usage_error = "--bom marks the table of --measures and goes with nothing else";
  } else if (options.measures &&
             (options.list || options.svg || options.output || options.open || options.labels)) {
    parsed.usage_error =
        "--measures writes no file and goes with none of --list, --svg, -o, --open and --labels";
  } else if (options.study && (options.measures || options.list || options.svg || options.labels)) {
    parsed.usage_error =
        "--study writes one page and goes with none of --measures, --list, --svg and --labels";
  } else if (options.study && options.figures.empty()) {
    parsed.usage_error = "--study needs the FIGURE files of the study";
  } else if (options.labels && options.list) {
    parsed.usage_error = "--labels writes codes into the drawing and does not go with --list";
  } else if (options.list && (options.svg || options.output || options.open)) {
    parsed.usage_error = "--list writes no file and goes with none of --svg, -o and --open";
  } else if (options.open && options.output == "-") {
    parsed.usage_error = "--open needs a file to open, not standard output";
  } else if (options.output && options.output->empty()) {
    parsed.usage_error = "the output PATH is empty";
  } else if (options.figure && options.figure->empty()) {
    parsed.usage_error = "the FIGURE name is empty";
  }
  return parsed;
}

}  // namespace torsova::view
