#include "view/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torsova::view {
namespace {

TEST(CommandLineTest, ReadsOptionsAndRefusesWrongUsage) {
  const ParsedCommandLine good = ParseCommandLine({"--svg", "-o", "-", "--", "-odd name.ROT"});
  EXPECT_EQ(good.usage_error, "");
  EXPECT_TRUE(good.options.svg);
  EXPECT_EQ(good.options.output, "-");
  EXPECT_EQ(good.options.figure, "-odd name.ROT");

  const ParsedCommandLine several = ParseCommandLine({"a", "b", "--measures", "c", "--bom"});
  EXPECT_EQ(several.usage_error, "");
  EXPECT_EQ(several.options.figures, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(several.options.bom);

  const ParsedCommandLine study = ParseCommandLine({"--study", "a", "b", "-o", "s.html", "--open"});
  EXPECT_EQ(study.usage_error, "");
  EXPECT_TRUE(study.options.study);
  EXPECT_EQ(study.options.figures, (std::vector<std::string>{"a", "b"}));

  const struct {
    std::vector<std::string> arguments;
    std::string error;
  } wrong[] = {
      {{"--bogus"}, "unknown option \"--bogus\""},
      {{"a", "b"}, "only one figure can be shown at a time; \"b\" is one too many"},
      {{"-o"}, "-o needs a PATH after it"},
      {{"-o", "a", "--output", "b"}, "--output is given twice"},
      {{"--list", "--svg"}, "--list writes no file and goes with none of --svg, -o and --open"},
      {{"--open", "-o", "-"}, "--open needs a file to open, not standard output"},
      {{"-o", ""}, "the output PATH is empty"},
      {{""}, "the FIGURE name is empty"},
      {{"--measures", "--svg"},
       "--measures writes no file and goes with none of --list, --svg, -o, --open and --labels"},
      {{"a", "--measures", "-o", "x"},
       "--measures writes no file and goes with none of --list, --svg, -o, --open and --labels"},
      {{"--study"}, "--study needs the FIGURE files of the study"},
      {{"a", "--study", "--list"},
       "--study writes one page and goes with none of --measures, --list, --svg and --labels"},
      {{"--labels", "--list"},
       "--labels writes codes into the drawing and does not go with --list"},
      {{"--bom"}, "--bom marks the table of --measures and goes with nothing else"},
      {{"--bom", "--svg", "-o", "x.svg"},
       "--bom marks the table of --measures and goes with nothing else"},
      {{"--list", "--open"}, "--list writes no file and goes with none of --svg, -o and --open"},
  };
  for (const auto& c : wrong) {
    EXPECT_EQ(ParseCommandLine(c.arguments).usage_error, c.error) << c.arguments[0];
  }
}

}  // namespace
}  // namespace torsova::view
