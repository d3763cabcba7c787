// Forms no spreadsheet would write, and files that are not forms at all:
// every run must end through its defined ending within a bounded time and
// leave the form as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TorsovaBinary;

const char* const kRows[] = {"CRAN,0,2,170", "RSHO,-20,0,150", "LSHO,20,0,150", "RPEL,-10,1,90",
                             "LPEL,10,3,92", "RKNE,-10,4,52",  "LKNE,10,4,52",  "TAIL,0,-6,92"};

std::string Rows() {
  std::string rows;
  for (const char* row : kRows) rows += std::string(row) + "\r\n";
  return rows;
}

std::string Form(const std::string& title = "Subject,,,") {
  return title + "\r\nLabel,X,Y,Z\r\n" + Rows();
}

// The SUCCESS line itself: a refused cell may hold the word.
bool Succeeded(const ProgramRun& run) {
  return run.output.find("\r\n                          SUCCESS\r\n") != std::string::npos;
}

// The endings of the run, told by their first distinctive console line.
enum class Ending { kSuccess, kBlankCell, kNotANumber, kTooLarge, kUnknownLabel, kTorso, kTable };

Ending EndingOf(const ProgramRun& run) {
  const std::string& out = run.output;
  if (Succeeded(run)) return Ending::kSuccess;
  if (out.find("blank cell") != std::string::npos) return Ending::kBlankCell;
  if (out.find(" is not a number.") != std::string::npos) return Ending::kNotANumber;
  if (out.find(" is too large a coordinate.") != std::string::npos) return Ending::kTooLarge;
  if (out.find("legitimate anatomical label") != std::string::npos) return Ending::kUnknownLabel;
  if (out.find("no torso is present") != std::string::npos) return Ending::kTorso;
  return Ending::kTable;
}

struct OddForm {
  const char* name;
  std::string form;
  Ending ending;
};

void PrintTo(const OddForm& c, std::ostream* out) { *out << c.name; }

class OddFormTest : public ::testing::TestWithParam<OddForm> {};

TEST_P(OddFormTest, EndsThroughItsEndingAndKeepsTheForm) {
  const OddForm& c = GetParam();
  ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", c.form);
  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k", testing::InputKind::kBytes, 60);
  ASSERT_FALSE(run.timed_out) << c.name;
  EXPECT_EQ(run.status, 0) << c.name;
  EXPECT_EQ(EndingOf(run), c.ending) << c.name << ":\n" << run.output.substr(0, 400);
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), c.form) << c.name;
  EXPECT_EQ(folder.Exists("3D_BODY.ROT"), c.ending == Ending::kSuccess) << c.name;
}

std::string WithCell(const std::string& row) { return Form() + row + "\r\n"; }

INSTANTIATE_TEST_SUITE_P(
    HostileCells, OddFormTest,
    ::testing::Values(
        OddForm{"high bytes and NUL in the title", Form(std::string("J\xf6rg \0\xff,,", 9)),
                Ending::kSuccess},
        OddForm{"NUL in a label", WithCell(std::string("RE\0B,1,2,3", 10)), Ending::kUnknownLabel},
        OddForm{"NUL in a coordinate", WithCell(std::string("RELB,1\0,2,3", 11)),
                Ending::kNotANumber},
        OddForm{"high byte in a label", WithCell("R\xc9LB,1,2,3"), Ending::kUnknownLabel},
        OddForm{"high byte in a coordinate", WithCell("RELB,1\xb2,2,3"), Ending::kNotANumber},
        OddForm{"byte 26 hides a torso row", "T,,,\r\nL\r\nCRAN,0,2,170\r\n\x1aRSHO,1,2,3\r\n",
                Ending::kTorso},
        OddForm{"byte 26 after the last row", Form() + "\x1a", Ending::kSuccess},
        OddForm{"byte 26 inside a row", Form() + "RELB,1,2\x1a,3\r\n", Ending::kBlankCell},
        OddForm{"a 5000-character label", WithCell(std::string(5000, 'A') + ",1,2,3"),
                Ending::kNotANumber},
        OddForm{"a 30-digit coordinate", WithCell("RELB," + std::string(30, '7') + ",2,3"),
                Ending::kTooLarge},
        // Longer than a number field can be read back whole, but first too large.
        OddForm{"a 100-digit coordinate", WithCell("RELB," + std::string(100, '7') + ",2,3"),
                Ending::kTooLarge},
        OddForm{"a coordinate of 100 decimals", WithCell("RELB,0." + std::string(98, '3') + ",2,3"),
                Ending::kNotANumber},
        OddForm{"not a form at all", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                Ending::kTorso}));

TEST(HostileInputTest, HugeTitleLineIsCarriedThrough) {
  ScratchFolder folder;
  const std::string title(200u << 20, 'T');
  const std::string form = Form(title);
  folder.Write("BodyXYZ.CSV", form);
  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k", testing::InputKind::kBytes, 120);
  ASSERT_FALSE(run.timed_out);
  EXPECT_TRUE(Succeeded(run));
  EXPECT_EQ(std::filesystem::file_size(folder.path() + "/BodyXYZ.CSV"), form.size());
  EXPECT_GT(std::filesystem::file_size(folder.path() + "/3D_BODY.ROT"), title.size());
}

TEST(HostileInputTest, MillionDataRowsAreRead) {
  ScratchFolder folder;
  std::string form = Form();
  const std::string rows = Rows();
  form.reserve(form.size() + rows.size() * 125000);
  for (int i = 1; i < 125000; ++i) form += rows;  // 1,000,000 rows of repeated landmarks
  folder.Write("BodyXYZ.CSV", form);
  ProgramRun run = RunProgram(TorsovaBinary(), folder.path(), "k", testing::InputKind::kBytes, 120);
  ASSERT_FALSE(run.timed_out);
  EXPECT_TRUE(Succeeded(run)) << run.output;
}

}  // namespace
}  // namespace torsova
