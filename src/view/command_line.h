// The command line of torsova-view:
//   torsova-view [--svg] [--labels] [-o PATH | --output PATH] [--list] [--open] [FIGURE]
//   torsova-view --measures [--bom] [FIGURE...]
//   torsova-view --study [-o PATH | --output PATH] [--open] FIGURE...
//   torsova-view --help | --version
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace torsova::view {

struct ViewOptions {
  bool help = false;
  bool version = false;
  bool list = false;
  bool svg = false;
  bool open = false;
  bool labels = false;
  bool measures = false;
  bool bom = false;  // the table of --measures starts with a UTF-8 byte-order mark
  bool study = false;
  std::optional<std::string> figure;  // the first one as given; none for the default name
  std::vector<std::string> figures;  // all as given; more than one only with --measures and --study
  std::optional<std::string> output;  // as given; "-" for standard output
};

struct ParsedCommandLine {
  ViewOptions options;
  std::string usage_error;  // empty when the arguments are usable
};

// Reads the arguments after the program's name. "--" ends the options.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
extern const char kUsage[];

}  // namespace torsova::view
