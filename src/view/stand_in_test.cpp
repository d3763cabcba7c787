#include "view/stand_in.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torsova::view {
namespace {

TEST(StandInTest, OpensTheFigureOnlyUnderTheViewersNameWithNoArguments) {
  using Arguments = std::vector<std::string>;
  const struct {
    std::string name;
    Arguments arguments;
    Arguments acted_on;
  } cases[] = {
      {"Gyrovex.exe", {}, {"--open"}}, {"gyrovex.EXE", {}, {"--open"}},
      {"GYROVEX", {}, {"--open"}},     {"Gyrovex.exe", {"--svg"}, {"--svg"}},
      {"Gyrovex.exe", {""}, {""}},     {"torsova-view", {}, {}},
      {"torsova-view.exe", {}, {}},    {"Gyrovex.ex", {}, {}},
      {"Gyrovex.exe.old", {}, {}},     {"Gyrovex.", {}, {}},
      {"MyGyrovex.exe", {}, {}},       {"", {}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArgumentsAsStarted(c.name, c.arguments), c.acted_on) << '"' << c.name << '"';
  }
}

}  // namespace
}  // namespace torsova::view
