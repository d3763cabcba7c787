// Inputs that are not forms, or forms no spreadsheet would write, and a
// hostile environment: every run must end through one of its defined endings
// within a bounded time, leave the form untouched, and never report SUCCESS
// over a table that was not written whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

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

bool Succeeded(const ProgramRun& run) { return run.output.find("SUCCESS") != std::string::npos; }

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
        // Longer than a number field can be read back whole.
        OddForm{"a 100-digit coordinate", WithCell("RELB," + std::string(100, '7') + ",2,3"),
                Ending::kNotANumber},
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

// Something other than a readable file stands in for the form: it reads as an
// empty form, and the run ends on the torso page at once.
TEST(HostileInputTest, FormThatIsNotAFile) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
  };
  const Case cases[] = {
      {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
      {"FIFO", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); }},
      {"dangling symlink",
       [](const std::string& path) { std::filesystem::create_symlink("nowhere.csv", path); }},
      {"endless device",
       [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); }},
  };
  for (const Case& c : cases) {
    ScratchFolder folder;
    c.make(folder.path() + "/BodyXYZ.CSV");
    ProgramRun run =
        RunProgram(TorsovaBinary(), folder.path(), "k", testing::InputKind::kBytes, 20);
    ASSERT_FALSE(run.timed_out) << c.name;
    EXPECT_EQ(run.status, 0) << c.name;
    EXPECT_EQ(EndingOf(run), Ending::kTorso) << c.name;
    EXPECT_TRUE(folder.Exists("Work2.CSV")) << c.name;
  }
}

// Runs the program with standard input from /dev/null and standard output
// closed, or a pipe whose reader has gone; returns the exit status.
int RunWithOddStreams(const std::string& dir, bool output_closed) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return -1;
  pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    int null_input = ::open("/dev/null", O_RDONLY);
    ::dup2(null_input, STDIN_FILENO);
    ::close(pipe_ends[0]);
    if (output_closed) {
      ::close(STDOUT_FILENO);
    } else {
      ::dup2(pipe_ends[1], STDOUT_FILENO);
    }
    ::close(pipe_ends[1]);
    const std::string binary = TorsovaBinary();
    ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipe_ends[0]);  // the reader goes away before anything is written
  ::close(pipe_ends[1]);
  int status = 0;
  for (int i = 0; i < 2000 && ::waitpid(child, &status, WNOHANG) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (::waitpid(child, &status, WNOHANG) == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return -2;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

TEST(HostileInputTest, LostConsoleStillWritesTheFigure) {
  for (bool output_closed : {true, false}) {
    ScratchFolder folder;
    folder.Write("BodyXYZ.CSV", Form());
    EXPECT_EQ(RunWithOddStreams(folder.path(), output_closed), 0) << output_closed;
    EXPECT_TRUE(folder.Exists("3D_BODY.ROT")) << output_closed;
    EXPECT_FALSE(folder.Exists("Work2.CSV")) << output_closed;
  }
}

}  // namespace
}  // namespace torsova
