// End-to-end runs of the built torsova-form in a scratch folder: what it
// prints, its exit status and every file it leaves. The printed findings are
// compared with reference files, so that every system gives the same bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/blank_form.h"
#include "form/command_line.h"
#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ProgramRun;
using testing::ScratchFolder;

std::string FormData(const std::string& name) {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) + "/tests/data/form/" + name);
}

ProgramRun Form(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
  return testing::RunWithArguments(testing::FormBinary(), folder.path(), arguments);
}

TEST(FormProgramTest, ChecksAFormAndWritesNothing) {
  ScratchFolder folder;
  for (const std::string name : {"three_faults", "europe", "relb"}) {
    folder.Write(name + ".csv", FormData(name + ".csv"));
  }
  const std::vector<std::string> files = folder.List();
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string output;
  } cases[] = {
      {{"check", "three_faults.csv"}, 1, FormData("three_faults.check")},
      {{"europe.csv"}, 1, FormData("europe.check")},  // as dropped on the program
      {{"check", "--", "relb.csv"}, 0, FormData("relb.check")},
  };
  for (const auto& c : cases) {
    const ProgramRun run = Form(folder, c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments.back() << run.errors;
    EXPECT_EQ(run.output, c.output) << c.arguments.back();
    EXPECT_EQ(run.errors, "") << c.arguments.back();
  }
  EXPECT_EQ(folder.List(), files);

  // The form of the folder, found as torsova finds it; none is an error.
  ProgramRun run = Form(folder, {});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "torsova-form: BodyXYZ.CSV: no such file\n");
  folder.Write("bodyxyz.csv", testing::ExampleForm());
  run = Form(folder, {"check"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output,
            "torsova accepts this form, with no warnings; every landmark is in the form\n");
}

TEST(FormProgramTest, ConvertsIntoANewFormOnly) {
  ScratchFolder folder;
  folder.Write("europe.csv", FormData("europe.csv"));
  ProgramRun run = Form(folder, {"convert", "europe.csv"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output,
            "BodyXYZ.CSV: written from europe.csv, semicolons and decimal commas replaced\n"
            "torsova accepts this form, with no warnings; every landmark is in the form\n");
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), testing::ExampleForm());

  // Neither over an existing form without --force, nor ever over IN itself.
  folder.Write("BodyXYZ.CSV", "older");
  run = Form(folder, {"convert", "europe.csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors,
            "torsova-form: BodyXYZ.CSV: is there already; give --force to replace it\n");
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), "older");
  run = Form(folder, {"convert", "--force", "europe.csv"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), testing::ExampleForm());
  run = Form(folder, {"convert", "--force", "europe.csv", "-o", "europe.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(folder.Read("europe.csv"), FormData("europe.csv"));

  // A form it cannot convert unambiguously: the row named, nothing written.
  std::string mixed = FormData("europe.csv");
  mixed.replace(mixed.find("LELB;25,0;2,4"), 13, "LELB,25.0,2.4");
  folder.Write("mixed.csv", mixed);
  run = Form(folder, {"convert", "mixed.csv", "-o", "new.csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors,
            "torsova-form: mixed.csv:9: separators mixed: semicolons between the cells of the "
            "form, commas in this row; nothing written\n");
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"BodyXYZ.CSV", "europe.csv", "mixed.csv"}));
}

TEST(FormProgramTest, WritesABlankFormOnlyWhereNoneIs) {
  ScratchFolder folder;
  ProgramRun run = Form(folder, {"new", "Ann Smith"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "BodyXYZ.CSV: a blank form of the 18 landmarks to fill in\n");
  const std::string blank = folder.Read("BodyXYZ.CSV");
  EXPECT_EQ(blank.substr(0, 36), "Ann Smith,,,\r\nLabel,X,Y,Z\r\nCRAN,,,\r\n");
  EXPECT_EQ(blank.size(), 27 + 18 * 9u);
  run = Form(folder, {"new"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), blank);
  run = Form(folder, {"new", "-o", "BodyXYZ.CSV", "--force"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(folder.Read("BodyXYZ.CSV"), form::BlankForm(""));
}

TEST(FormProgramTest, RefusesWrongUsage) {
  ScratchFolder folder;
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"convert"}, "convert needs the form IN to convert"},
      {{"check", "a", "b"}, "check takes one form; \"b\" is one too many"},
      {{"check", "-o", "x"}, "check writes nothing and takes neither -o nor --force"},
      {{"new", "-o"}, "-o needs a file after it"},
      {{"--colour"}, "unknown option \"--colour\""},
  };
  for (const auto& [arguments, error] : cases) {
    const ProgramRun run = Form(folder, arguments);
    EXPECT_EQ(run.status, 2) << error;
    EXPECT_EQ(run.errors, "torsova-form: " + error + " (see torsova-form --help)\n");
  }
  EXPECT_EQ(Form(folder, {"--help"}).output, form::kUsage);
  EXPECT_EQ(Form(folder, {"--version"}).output, "torsova-form 1.0.0\n");
  EXPECT_EQ(folder.List(), std::vector<std::string>{});
}

}  // namespace
}  // namespace torsova
