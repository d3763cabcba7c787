// torsova-view --open hands the written file to the desktop's opener, here a
// stand-in xdg-open on the PATH; a failed opener is said on standard error
// while the file stays written and the status is 0.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ProgramRun;
using testing::ScratchFolder;

TEST(ViewOpenTest, HandsTheFileToTheOpenerAndSaysWhenItFails) {
  const struct {
    std::string opener;  // the stand-in's script; empty for none on the PATH
    std::string errors;
  } cases[] = {
      {"exit 0", ""},
      {"exit 3", "torsova-view: 3D_BODY.html: could not be opened: xdg-open ended with status 3\n"},
      {"", "torsova-view: 3D_BODY.html: could not be opened: xdg-open was not found\n"},
  };
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  for (const auto& c : cases) {
    ScratchFolder folder, bin;
    folder.Write("3D_BODY.ROT",
                 testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) +
                                        "/tests/data/example_form/expected/3D_BODY.ROT"));
    if (!c.opener.empty()) {
      bin.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.file\"\n" + c.opener + "\n");
      ::chmod((bin.path() + "/xdg-open").c_str(), 0755);
    }
    ::setenv("PATH", bin.path().c_str(), 1);
    const ProgramRun run =
        testing::RunWithArguments(testing::ViewerBinary(), folder.path(), {"--open"});
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(run.status, 0) << c.opener;
    EXPECT_EQ(run.output.rfind("3D_BODY.html: 17 lines", 0), 0u) << c.opener;
    EXPECT_EQ(run.errors, c.errors) << c.opener;
    EXPECT_TRUE(folder.Exists("3D_BODY.html")) << c.opener;
    if (!c.opener.empty()) {
      EXPECT_EQ(bin.Read("xdg-open.file"), folder.path() + "/3D_BODY.html");
    }
  }
}

}  // namespace
}  // namespace torsova
