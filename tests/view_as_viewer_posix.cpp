// A run whose folder holds Gyrovex.exe as a link to torsova-view ends with the
// figure's page, handed to the desktop's opener (a stand-in xdg-open on the
// PATH); a run refused before any figure was written ends with the viewer's
// message instead.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ProgramRun;
using testing::ScratchFolder;

TEST(ViewAsViewerTest, RunEndsWithThePageOfItsFigureOrTheMissingFigure) {
  const std::string data = std::string(TORSOVA_SOURCE_DIR) + "/tests/data/";
  const struct {
    std::string form;
    std::string output;
    std::string errors;
    int status;
    bool page;
  } cases[] = {
      {testing::ExampleForm(),
       testing::ReadFileBytes(data + "example_form/console") +
           "3D_BODY.html: 17 lines, 5 circles, \"Example subject (adult male)\"\n",
       "", 0, true},
      // Refused at the landmark table: the viewer starts, but there is no figure.
      {testing::ReadFileBytes(data + "blank_title/input/BodyXYZ.CSV"),
       testing::ReadFileBytes(data + "blank_title/console"),
       "torsova-view: 3D_BODY.ROT: no such file\n", 1, false},
  };
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  for (const auto& c : cases) {
    ScratchFolder folder, bin;
    folder.Write("BodyXYZ.CSV", c.form);
    ASSERT_EQ(::symlink(testing::ViewerBinary().c_str(), (folder.path() + "/Gyrovex.exe").c_str()),
              0);
    bin.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.file\"\n");
    ::chmod((bin.path() + "/xdg-open").c_str(), 0755);
    ::setenv("PATH", bin.path().c_str(), 1);
    const ProgramRun run = testing::RunProcess(testing::TorsovaBinary(), folder.path(), {}, "k",
                                               testing::InputKind::kBytes, true, 20);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(run.status, c.status) << c.errors;
    EXPECT_EQ(run.output, c.output);
    EXPECT_EQ(run.errors, c.errors);
    EXPECT_EQ(folder.Exists("3D_BODY.html"), c.page) << c.errors;
    EXPECT_EQ(bin.Read("xdg-open.file"), c.page ? folder.path() + "/3D_BODY.html" : "") << c.errors;
  }
}

}  // namespace
}  // namespace torsova
