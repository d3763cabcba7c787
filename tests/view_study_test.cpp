// torsova-view --study end to end: the page of a generated study with the
// figures it cannot show named, the same data on every system, and the
// usages it refuses without writing anything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"
#include "support/study_forms.h"

namespace torsova {
namespace {

using testing::Planted;
using testing::ProgramRun;
using testing::ScratchFolder;

ProgramRun View(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
  return testing::RunWithArguments(testing::ViewerBinary(), folder.path(), arguments);
}

std::string EmbeddedData(const std::string& page) {
  const std::string marker = "id=\"study-data\">";
  const std::size_t data = page.find(marker);
  if (data == std::string::npos) return "";
  const std::size_t start = data + marker.size();
  return page.substr(start, page.find("</script>", start) - start);
}

// Twelve subjects, s01.ROT to s12.ROT, the fifth with both knees typed 40
// higher and a title that would be markup.
std::vector<std::string> WriteStudy(const ScratchFolder& folder) {
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= 12; ++i) {
    std::string figure =
        testing::FigureOfForm(testing::StudyForm(i, i == 5 ? Planted::kKneesHigh : Planted::kNone));
    if (i == 5) figure.replace(figure.find("#Subject 005"), 12, "#</script><b>&");
    names.push_back("s" + std::to_string(100 + i).substr(1) + ".ROT");
    folder.Write(names.back(), figure);
  }
  return names;
}

TEST(ViewStudyTest, ShowsTheBodyFiguresAndNamesTheOthers) {
  ScratchFolder folder;
  std::vector<std::string> arguments = WriteStudy(folder);
  folder.Write("foreign.ROT", "#Other\r\n 1 2 3 0\r\n 4 5 6 7\r\n");
  folder.Write("broken.ROT", "#Broken\r\n 1 2 3 0\r\n 1 2 x 7\r\n");
  arguments.insert(arguments.begin() + 3, {"foreign.ROT", "none.ROT"});
  arguments.push_back("broken.ROT");
  arguments.insert(arguments.begin(), "--study");

  const ProgramRun run = View(folder, arguments);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "study.html: 15 figures, 12 body figures, 2 flagged\n");
  EXPECT_EQ(run.errors,
            "torsova-view: foreign.ROT: not a body figure written by torsova\n"
            "torsova-view: none.ROT: no such file\n"
            "torsova-view: broken.ROT:3: \" 1 2 x 7\" is not a point line\n");
  // The same data on every system: the measures, the flags, the points and
  // the figures left out with their reasons; the title stays text.
  const std::string page = folder.Read("study.html");
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("<title>Study of 15 figures</title>"), std::string::npos);
  EXPECT_EQ(EmbeddedData(page), testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) +
                                                       "/tests/data/view/study.json"));

  // Standard output takes the same page, without the summary line.
  arguments.insert(arguments.begin() + 1, {"-o", "-"});
  const ProgramRun piped = View(folder, arguments);
  EXPECT_EQ(piped.status, 1);
  EXPECT_EQ(piped.output, page);
}

TEST(ViewStudyTest, RefusesWrongUsageWithoutWritingAnything) {
  const struct {
    std::vector<std::string> arguments;
    std::string errors;
  } cases[] = {
      {{"--study"},
       "torsova-view: --study needs the FIGURE files of the study (see torsova-view --help)\n"},
      {{"--study", "s01.ROT", "--svg"},
       "torsova-view: --study writes one page and goes with none of --measures, --list, --svg "
       "and --labels (see torsova-view --help)\n"},
      {{"--study", "s01.ROT", "s02.ROT", "-o", "./s02.ROT"},
       "torsova-view: ./s02.ROT: the output would replace the figure s02.ROT; name another "
       "with -o\n"},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.Write("s01.ROT", testing::FigureOfForm(testing::StudyForm(1)));
    folder.Write("s02.ROT", testing::FigureOfForm(testing::StudyForm(2)));
    const std::string before = folder.Read("s02.ROT");
    const ProgramRun run = View(folder, c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments.back();
    EXPECT_EQ(run.errors, c.errors);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"s01.ROT", "s02.ROT"}));
    EXPECT_EQ(folder.Read("s02.ROT"), before);
  }
}

}  // namespace
}  // namespace torsova
