// The whole program refusing forms: the page on standard output, status 0, and
// the landmark table left in the folder, empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/form_pages.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::FormOf;
using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsoRows;
using testing::TorsovaBinary;

struct EndToEndCase {
  const char* what;
  bool has_form;
  std::string form;
  std::string output;
};

std::vector<std::string> ThousandRowsEndingIn(const std::string& last_row) {
  std::vector<std::string> rows = TorsoRows();
  while (rows.size() < 999) rows.push_back("RELB,1.25,-2.5,3");
  rows.push_back(last_row);
  return rows;
}

TEST(IntakeRefusalsTest, PageStatusZeroAndAnEmptyTableLeft) {
  const EndToEndCase cases[] = {
      {"no form", false, "", testing::TorsoPageText()},
      {"heading lines only", true, FormOf({}), testing::TorsoPageText()},
      {"empty line after the rows", true, FormOf({"CRAN,1,2,3", ""}), testing::BlankCellPageText()},
      {"fraction", true, FormOf({"CRAN,1,1/2,3"}), testing::NotANumberPageText("1/2")},
      {"too large in row 1000", true, FormOf(ThousandRowsEndingIn("TAIL,1,2,12345678901")),
       testing::TooLargePageText("12345678901")},
      {"70-digit coordinate", true, FormOf({"CRAN,1," + std::string(70, '1') + ",3"}),
       testing::TooLargePageText(std::string(70, '1'))},
      {"long negative coordinate", true, FormOf({"CRAN,-" + std::string(68, '9') + ",2,3"}),
       testing::TooLargePageText("-" + std::string(68, '9'))},
      {"100-character small decimal", true, FormOf({"CRAN,1,2,0." + std::string(97, '0') + "1"}),
       testing::NotANumberPageText("0." + std::string(97, '0') + "1")},
      {"unknown label in row 1000", true, FormOf(ThousandRowsEndingIn("CRAN ,1,2,3")),
       testing::UnknownLabelPageText("RAN ")},
      {"torso missing", true, FormOf({"cran,1,2,3", "LSHO,1,2,3", "RSHO,1,2,3", "LPEL,1,2,3"}),
       testing::TorsoPageText()},
  };
  for (const EndToEndCase& c : cases) {
    ScratchFolder folder;
    if (c.has_form) folder.Write("BodyXYZ.CSV", c.form);
    folder.Write("Work2.CSV", "an older table\r\n");
    ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k");
    EXPECT_FALSE(run.timed_out) << c.what;
    EXPECT_EQ(run.status, 0) << c.what;
    EXPECT_EQ(run.output, c.output) << c.what;
    std::vector<std::string> expected_files = {"Work2.CSV"};
    if (c.has_form) expected_files.insert(expected_files.begin(), "BodyXYZ.CSV");
    EXPECT_EQ(folder.List(), expected_files) << c.what;
    EXPECT_EQ(folder.Read("Work2.CSV"), "") << c.what;
    if (c.has_form) {
      EXPECT_EQ(folder.Read("BodyXYZ.CSV"), c.form) << c.what;
    }
  }
}

}  // namespace
}  // namespace torsova
