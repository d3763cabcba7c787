// A copy of torsova-view.exe named Gyrovex.exe beside the form takes the
// viewer's place: the run hands over to it and it writes the figure's page.
// Under Wine the tests run without Wine's browser, which would hand the page
// to the host's desktop; the shell then refuses every page, and that refusal
// shows that the copy chose to open one.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

namespace fs = std::filesystem;

// True once `test` holds, tried every 10 ms for at most 20 seconds.
template <typename Test>
bool Eventually(Test test) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!test()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(WindowsViewAsViewerTest, CopyNamedAsTheViewerWritesThePageOfTheRun) {
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", testing::ExampleForm());
  const fs::path viewer = fs::path(folder.path()) / "Gyrovex.exe";
  fs::copy_file(testing::ViewerBinary(), viewer);

  const testing::ProgramRun run = testing::RunProgram(testing::TorsovaBinary(), folder.path(), "k");
  EXPECT_EQ(run.status, 0);
  // The viewer runs on its own after the run; its program file can be removed
  // once it has ended.
  EXPECT_TRUE(Eventually([&] { return folder.Exists("3D_BODY.html"); })) << "no page";
  EXPECT_TRUE(Eventually([&] { return DeleteFileW(viewer.c_str()) != 0; }))
      << "the viewer did not end";
  EXPECT_EQ(folder.Read("3D_BODY.html").rfind("<!DOCTYPE html>", 0), 0u);
}

TEST(WindowsViewAsViewerTest, OnlyACopyNamedAsTheViewerOpensThePage) {
  const struct {
    const char* name;
    bool opens;
  } cases[] = {{"Gyrovex.exe", true}, {"GYROVEX.EXE", true}, {"Gyrovex-old.exe", false}};
  for (const auto& c : cases) {
    testing::ScratchFolder folder;
    folder.Write("3D_BODY.ROT",
                 testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) +
                                        "/tests/data/example_form/expected/3D_BODY.ROT"));
    const fs::path copy = fs::path(folder.path()) / c.name;
    fs::copy_file(testing::ViewerBinary(), copy);
    const testing::ProgramRun run = testing::RunWithArguments(copy.string(), folder.path(), {});
    EXPECT_EQ(run.status, 0) << c.name;
    EXPECT_EQ(run.output.rfind("3D_BODY.html: 17 lines", 0), 0u) << c.name;
    EXPECT_EQ(run.errors.rfind("torsova-view: 3D_BODY.html: could not be opened: ", 0) == 0,
              c.opens)
        << c.name << ": " << run.errors;
  }
}

}  // namespace
}  // namespace torsova
