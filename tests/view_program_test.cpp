// End-to-end runs of the built torsova-view in a scratch folder: what it
// prints, its exit status and every file it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"
#include "view/command_line.h"

namespace torsova {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::ScratchFolder;

std::string SourceFile(const std::string& path) {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) + "/tests/data/" + path);
}

std::string ExampleFigure() { return SourceFile("example_form/expected/3D_BODY.ROT"); }

// Every file of the folder (a folder in it reads as empty) with its bytes.
std::map<std::string, std::string> Contents(const ScratchFolder& folder) {
  std::map<std::string, std::string> contents;
  for (const std::string& name : folder.List()) contents[name] = folder.Read(name);
  return contents;
}

ProgramRun View(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
  return testing::RunWithArguments(testing::ViewerBinary(), folder.path(), arguments);
}

TEST(ViewProgramTest, ListsTheFigureAsDrawn) {
  for (const std::string name : {"example_form", "missing_elbow_and_finger"}) {
    ScratchFolder folder;
    folder.Write("3D_BODY.ROT", SourceFile(name + "/expected/3D_BODY.ROT"));
    const ProgramRun run = View(folder, {"--list"});
    EXPECT_EQ(run.status, 0) << name << run.errors;
    EXPECT_EQ(run.output, SourceFile("view/" + name + ".csv")) << name;
    EXPECT_EQ(folder.List(), std::vector<std::string>{"3D_BODY.ROT"}) << name;
  }
}

TEST(ViewProgramTest, WritesThePageOrTheDrawingBesideTheFigure) {
  ScratchFolder folder;
  // The default name is found in any letter case; a non-ASCII name works.
  folder.Write("3d_body.rot", ExampleFigure());
  folder.Write("M\xc3\xbcller.ROT", "#M\xfcller\r\ns Spin\r\n 1 2 3 0\r\n 4 5 6 7");
  const std::string summary = ": 17 lines, 5 circles, \"Example subject (adult male)\"\n";

  ProgramRun run = View(folder, {});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "3d_body.html" + summary);
  EXPECT_EQ(folder.Read("3d_body.html").rfind("<!DOCTYPE html>", 0), 0u);

  // The same bytes on every system: the page's data and the whole drawing.
  const std::string page = folder.Read("3d_body.html");
  const std::string marker = "id=\"figure-data\">";
  const std::size_t data = page.find(marker) + marker.size();
  EXPECT_EQ(page.substr(data, page.find("</script>", data) - data),
            SourceFile("view/example_form.json"));
  run = View(folder, {"--svg"});
  EXPECT_EQ(run.output, "3d_body.svg" + summary);
  EXPECT_EQ(folder.Read("3d_body.svg"), SourceFile("view/example_form.svg"));
  run = View(folder, {"-o", "-", "--svg"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, folder.Read("3d_body.svg"));
  run = View(folder, {"-o", "-"});
  EXPECT_EQ(run.output, folder.Read("3d_body.html"));

  run = View(folder, {"M\xc3\xbcller.ROT", "-o", "\xc3\xa9t\xc3\xa9.SVG"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "\xc3\xa9t\xc3\xa9.SVG: 1 line, 0 circles, \"M\xc3\xbcller\"\n");
  EXPECT_EQ(run.errors,
            "torsova-view: M\xc3\xbcller.ROT:2: warning: the unknown setting \"s Spin\" is "
            "ignored\n");
  EXPECT_EQ(folder.Read("\xc3\xa9t\xc3\xa9.SVG").rfind("<?xml", 0), 0u);
  EXPECT_EQ(folder.List(),
            (std::vector<std::string>{"3d_body.html", "3d_body.rot", "3d_body.svg",
                                      "M\xc3\xbcller.ROT", "\xc3\xa9t\xc3\xa9.SVG"}));

  run = View(folder, {"--version"});
  EXPECT_EQ(run.output, "torsova-view 1.0.0\n");
  run = View(folder, {"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, view::kUsage);
}

TEST(ViewProgramTest, NamesTheOutputAfterTheFigure) {
  const std::string long_figure = std::string(246, 'f') + ".ROT";   // 250 bytes
  const std::string long_output = std::string(250, 'o') + ".html";  // 255 bytes
  const struct {
    std::string figure;
    std::vector<std::string> arguments;
    std::string output;
  } cases[] = {
      {"3D_BODY.v2.ROT", {"3D_BODY.v2.ROT"}, "3D_BODY.v2.html"},
      {"my.figures/3D_BODY.ROT", {"my.figures/3D_BODY.ROT"}, "my.figures/3D_BODY.html"},
      {long_figure, {long_figure}, std::string(246, 'f') + ".html"},
      {"3D_BODY.ROT", {"-o", long_output}, long_output},
      {"3D_BODY.ROT", {"-o", "older.svg"}, "older.svg"},  // replaces an older drawing
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    fs::create_directory(fs::path(folder.path()) / "my.figures");
    folder.Write(c.figure, ExampleFigure());
    folder.Write("older.svg", "an older drawing");
    const std::vector<std::string> before = folder.List();
    const ProgramRun run = View(folder, c.arguments);
    EXPECT_EQ(run.status, 0) << c.output << run.errors;
    EXPECT_EQ(run.output.substr(0, c.output.size() + 10), c.output + ": 17 lines") << c.output;
    EXPECT_EQ(folder.Read(c.output).substr(0, 5), c.output.back() == 'g' ? "<?xml" : "<!DOC");
    std::vector<std::string> after = before;
    if (c.output.find('/') == std::string::npos && c.output != "older.svg") {
      after.push_back(c.output);
      std::sort(after.begin(), after.end());
    }
    EXPECT_EQ(folder.List(), after) << c.output;  // no temporary file left
  }

  // Standard output never replaces the figure, even one named "-".
  ScratchFolder folder;
  folder.Write("-", ExampleFigure());
  const ProgramRun run = View(folder, {"-o", "-", "--", "-"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output.substr(0, 15), "<!DOCTYPE html>");
  EXPECT_EQ(folder.Read("-"), ExampleFigure());
}

TEST(ViewProgramTest, MeasuresSeveralFiguresAndNamesTheOnesItCannot) {
  ScratchFolder folder;
  folder.Write("a.ROT", ExampleFigure());
  folder.Write("b.ROT", SourceFile("view/lacking_lelb_rkne.ROT"));
  // A title with a comma and quotes is one quoted field.
  std::string titled = ExampleFigure();
  titled.replace(titled.find("#Example subject (adult male)"), 29, "#Doe, \"Jane\"");
  folder.Write("c.ROT", titled);
  folder.Write("foreign.ROT", "#Other\r\n 1 2 3 0\r\n 4 5 6 7\r\n");
  const ProgramRun run =
      View(folder, {"--measures", "a.ROT", "none.ROT", "b.ROT", "foreign.ROT", "c.ROT"});
  const std::string example =
      "171.20,27.02,46.81,39.90,25.00,31.90,31.92,26.99,26.99,18.57,18.47,45.98,45.98,44.70,"
      "44.81,19.97,20.07,11.51,\n";
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            "figure,title,height,head,trunk,shoulder_breadth,pelvis_breadth,upper_arm_right,"
            "upper_arm_left,forearm_right,forearm_left,hand_right,hand_left,thigh_right,"
            "thigh_left,shank_right,shank_left,foot_right,foot_left,tail,missing\n"
            "a.ROT,Example subject (adult male)," +
                example +
                "b.ROT,Example subject (adult male),171.20,27.02,46.81,39.90,25.00,31.90,,"
                "26.99,,18.57,18.47,,45.98,,44.81,19.97,20.07,11.51,LELB RKNE\n"
                "c.ROT,\"Doe, \"\"Jane\"\"\"," +
                example);
  EXPECT_EQ(run.errors,
            "torsova-view: none.ROT: no such file\n"
            "torsova-view: foreign.ROT: not a body figure written by torsova, so it has no "
            "measures\n");

  // A path with a comma is one quoted field; an unreadable figure alone fails
  // the run; --bom puts the byte-order mark before the very same bytes.
  folder.Write("d,e.ROT", ExampleFigure());
  const ProgramRun quoted = View(folder, {"--measures", "d,e.ROT", "none.ROT"});
  EXPECT_EQ(quoted.status, 1);
  EXPECT_EQ(quoted.output.substr(quoted.output.find('\n') + 1),
            "\"d,e.ROT\",Example subject (adult male)," + example);
  const ProgramRun marked = View(folder, {"--bom", "--measures", "d,e.ROT", "none.ROT"});
  EXPECT_EQ(marked.status, 1);
  EXPECT_EQ(marked.output, "\xEF\xBB\xBF" + quoted.output);

  // The drawing shows the same numbers, the missing landmarks and their dashed lines.
  const ProgramRun drawn = View(folder, {"b.ROT", "--svg", "--labels", "-o", "-"});
  EXPECT_EQ(drawn.status, 0) << drawn.errors;
  const std::string& svg = drawn.output;
  EXPECT_NE(svg.find(">Not in the form: LELB left elbow, RKNE right knee</text>"),
            std::string::npos);
  std::size_t dashed = 0;
  for (std::size_t at = 0; (at = svg.find("<path class=\"across\"", at)) != std::string::npos;
       ++at) {
    ++dashed;
    EXPECT_EQ(svg.substr(at, svg.find("/>", at) - at).find("stroke-dasharray") == std::string::npos,
              false);
  }
  EXPECT_EQ(dashed, 3u) << "one in each view";
  EXPECT_NE(svg.find(">LWRI</text>"), std::string::npos) << "--labels";
  const std::size_t b_row = run.output.find("b.ROT");
  const std::string row = run.output.substr(b_row, run.output.find('\n', b_row) - b_row + 1);
  // The texts of a row of the drawing's table, in order.
  const auto table_row = [&](const std::string& id) {
    std::vector<std::string> texts;
    const std::size_t row = svg.find("data-id=\"" + id + "\"");
    const std::size_t end = svg.find("</g>\n", row);
    for (std::size_t at = svg.find("\">", row); at < end; at = svg.find("\">", at + 1)) {
      const std::string text = svg.substr(at + 2, svg.find('<', at) - at - 2);
      if (!text.empty()) texts.push_back(text);
    }
    return texts;
  };
  const std::string dash = "\xE2\x80\x93";
  using Texts = std::vector<std::string>;
  EXPECT_EQ(table_row("height"), (Texts{"height", "171.20"}));
  EXPECT_EQ(table_row("upper_arm"), (Texts{"upper arm", "31.90", dash, dash}));
  EXPECT_EQ(table_row("shank"), (Texts{"shank", dash, "44.81", dash}));
  // Every number of the row of --measures is in the drawing's table.
  for (std::size_t at = row.find(",", row.find(",") + 1) + 1; at < row.size();) {
    const std::size_t end = row.find_first_of(",\n", at);
    const std::string value = row.substr(at, end - at);
    if (!value.empty() && value[0] >= '0' && value[0] <= '9') {
      EXPECT_NE(svg.find("\">" + value + "</text>"), std::string::npos) << value;
    }
    at = end + 1;
  }
}

TEST(ViewProgramTest, FailsWithoutCreatingOrChangingAnything) {
  std::string binary;
  for (int i = 0; i < 4000; ++i)
    binary += static_cast<char>(
        "\x7f"
        "ELF\x02\x01\x01"[i % 7] +
        i);
  const struct {
    std::string name;
    std::function<void(const ScratchFolder&)> setup;
    std::vector<std::string> arguments;
    int status;
    std::string errors;  // the beginning of standard error
  } cases[] = {
      {"missing", [](auto&) {}, {}, 1, "torsova-view: 3D_BODY.ROT: no such file\n"},
      {"folder",
       [](auto& f) { fs::create_directory(fs::path(f.path()) / "f.ROT"); },
       {"f.ROT"},
       1,
       "torsova-view: f.ROT: is a folder, not a figure file\n"},
      {"empty",
       [](auto& f) { f.Write("3D_BODY.ROT", ""); },
       {},
       1,
       "torsova-view: 3D_BODY.ROT: the file is empty\n"},
      {"binary",
       [&](auto& f) { f.Write("3D_BODY.ROT", binary); },
       {},
       1,
       "torsova-view: 3D_BODY.ROT:1: \"\\x7fFNI\\x06\\x06\\x07"},
      {"output is a folder",
       [](auto& f) {
         f.Write("3D_BODY.ROT", ExampleFigure());
         fs::create_directory(fs::path(f.path()) / "out.svg");
       },
       {"-o", "out.svg"},
       1,
       "torsova-view: out.svg: cannot be written: "},
      {"output in no folder",
       [](auto& f) { f.Write("3D_BODY.ROT", ExampleFigure()); },
       {"-o", "none/out.html"},
       1,
       "torsova-view: none/out.html: cannot be written: no such folder\n"},
      {"usage",
       [](auto& f) { f.Write("3D_BODY.ROT", ExampleFigure()); },
       {"--bogus"},
       2,
       "torsova-view: unknown option \"--bogus\" (see torsova-view --help)\n"},
      {"output onto the figure",
       [](auto& f) { f.Write("3D_BODY.ROT", ExampleFigure()); },
       {"-o", "3D_BODY.ROT"},
       2,
       "torsova-view: 3D_BODY.ROT: the output would replace the figure itself"},
      {"a figure named like its output",
       [](auto& f) { f.Write("x.html", ExampleFigure()); },
       {"x.html"},
       2,
       "torsova-view: x.html: the output would replace the figure itself"},
      {"output is the current folder",
       [](auto& f) { f.Write("3D_BODY.ROT", ExampleFigure()); },
       {"-o", "."},
       1,
       "torsova-view: .: cannot be written: it is a folder\n"},
      {"empty figure name",
       [](auto& f) { f.Write("3D_BODY.ROT", ExampleFigure()); },
       {""},
       2,
       "torsova-view: the FIGURE name is empty (see torsova-view --help)\n"},
      {"labels on the page",
       [](auto& f) { f.Write("3D_BODY.ROT", ExampleFigure()); },
       {"--labels"},
       2,
       "torsova-view: --labels writes codes into the drawing"},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.Write("3D_BODY.html", "an older page");
    c.setup(folder);
    const std::map<std::string, std::string> before = Contents(folder);
    const ProgramRun run = View(folder, c.arguments);
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.output, "") << c.name;
    EXPECT_EQ(run.errors.substr(0, c.errors.size()), c.errors) << c.name;
    EXPECT_EQ(Contents(folder), before) << c.name;
  }

  // The figure is known by what it is, not by how it is spelled.
  ScratchFolder folder;
  folder.Write("3D_BODY.ROT", ExampleFigure());
  const std::string name = fs::path(folder.path()).filename().u8string();
  const std::vector<std::string> spellings[] = {
      {"-o", "./3D_BODY.ROT"},
      {"./3D_BODY.ROT", "-o", "3D_BODY.ROT"},
      {"-o", folder.path() + "/3D_BODY.ROT"},
      {"-o", ".//3D_BODY.ROT"},
      {"-o", "../" + name + "/3D_BODY.ROT"},
  };
  for (const std::vector<std::string>& arguments : spellings) {
    const ProgramRun run = View(folder, arguments);
    EXPECT_EQ(run.status, 2) << arguments[1];
    EXPECT_NE(run.errors.find(": the output would replace the figure itself"), std::string::npos)
        << arguments[1] << run.errors;
    EXPECT_EQ(folder.List(), std::vector<std::string>{"3D_BODY.ROT"}) << arguments[1];
    EXPECT_EQ(folder.Read("3D_BODY.ROT"), ExampleFigure()) << arguments[1];
  }
}

TEST(ViewProgramTest, FailsInAFolderItMayNotWriteIn) {
  ScratchFolder folder;
  folder.Write("3D_BODY.ROT", ExampleFigure());
  const fs::path locked = fs::path(folder.path()) / "locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const ProgramRun run = testing::RunWithoutPrivileges(testing::ViewerBinary(), folder.path(),
                                                       {"-o", "locked/3D_BODY.html"});
  const bool empty = fs::is_empty(locked);
  fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);
  // Windows's read-only attribute on a folder does not keep files out.
  if (run.status == 0 && !empty) GTEST_SKIP() << "this system lets anyone write in the folder";
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors,
            "torsova-view: locked/3D_BODY.html: cannot be written: permission denied\n");
  EXPECT_TRUE(empty);
}

}  // namespace
}  // namespace torsova
