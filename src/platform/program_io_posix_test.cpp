#include <gtest/gtest.h>

#include <string>

#include "platform/program_io.h"

namespace torsova {
namespace {

TEST(ProgramNameTest, IsTheStartedNameWithItsFolderLeftOff) {
  const struct {
    const char* started;  // argv[0]; none for an empty argument list
    std::string name;
  } cases[] = {
      {"Gyrovex.exe", "Gyrovex.exe"},
      {"./Gyrovex.exe", "Gyrovex.exe"},
      {"/usr/local/bin/torsova-view", "torsova-view"},
      {"folder/", ""},
      {nullptr, ""},
  };
  for (const auto& c : cases) {
    char* argv[] = {const_cast<char*>(c.started), nullptr};
    EXPECT_EQ(ProgramName(c.started ? 1 : 0, argv), c.name) << (c.started ? c.started : "none");
  }
}

}  // namespace
}  // namespace torsova
