// Golden runs of the whole program. Each case is a folder tests/data/<case>:
//   input/    the folder the program starts in (copied to a scratch folder)
//   expected/ every file the run leaves in that folder, byte for byte
//   console   the exact bytes written to standard output
//   status    the exit status
// One key is given on standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsovaBinary;

std::string ReadBytes(const fs::path& path) { return testing::ReadFileBytes(path.string()); }

std::vector<std::string> FileNames(const fs::path& dir) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void ExpectGoldenRun(const std::string& name) {
  const fs::path data = fs::path(TORSOVA_SOURCE_DIR) / "tests" / "data" / name;
  ASSERT_TRUE(fs::is_directory(data / "input")) << data;
  ScratchFolder folder;
  for (const std::string& file : FileNames(data / "input")) {
    fs::copy_file(data / "input" / file, fs::path(folder.path()) / file);
  }

  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
  EXPECT_FALSE(run.timed_out) << name;
  EXPECT_EQ(run.status, std::stoi(ReadBytes(data / "status"))) << name;
  EXPECT_EQ(run.output, ReadBytes(data / "console")) << name;

  const std::vector<std::string> left = FileNames(folder.path());
  ASSERT_EQ(left, FileNames(data / "expected")) << name;
  for (const std::string& file : left) {
    EXPECT_EQ(ReadBytes(fs::path(folder.path()) / file), ReadBytes(data / "expected" / file))
        << name << ": " << file;
  }
}

TEST(GoldenRunTest, ExampleFormBecomesTheFigure) { ExpectGoldenRun("example_form"); }

TEST(GoldenRunTest, TorsoOnlyFormInAnyOrderReplacesOldFiles) {
  ExpectGoldenRun("torso_only_shuffled");
}

TEST(GoldenRunTest, MissingElbowAndFingerNegativeHeightAndGivenKnee) {
  ExpectGoldenRun("missing_elbow_and_finger");
}

// One toe and one finger missing, on opposite sides: each hand and foot gets
// its mark at the finger or toe where the form gave it, else at the wrist or ankle.
TEST(GoldenRunTest, LackingOneToeAndTheOtherSidesFinger) {
  ExpectGoldenRun("lacking_right_toe_and_left_finger");
  ExpectGoldenRun("lacking_left_toe_and_right_finger");
}

TEST(GoldenRunTest, BlankTitleKeepsTheTableAndTheOldFigure) { ExpectGoldenRun("blank_title"); }

TEST(GoldenRunTest, BlankCellEmptiesTheTableAndKeepsTheOldFigure) { ExpectGoldenRun("blank_cell"); }

}  // namespace
}  // namespace torsova
