#include "form/form_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace torsova::form {
namespace {

namespace fs = std::filesystem;

// The example form's lines without their line ends; row n is lines[n - 1].
std::vector<std::string> ExampleLines() {
  const std::string form = testing::ExampleForm();
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < form.size();) {
    const std::size_t end = form.find("\r\n", at);
    lines.push_back(form.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string form;
  for (const std::string& line : lines) form += line + "\r\n";
  return form;
}

// The example form with row `row` replaced by `line`.
std::string WithRow(std::size_t row, const std::string& line) {
  std::vector<std::string> lines = ExampleLines();
  lines[row - 1] = line;
  return Joined(lines);
}

// The example form with `lines` put in before row `row`.
std::string WithRowsBefore(std::size_t row, const std::vector<std::string>& added) {
  std::vector<std::string> lines = ExampleLines();
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(row - 1), added.begin(), added.end());
  return Joined(lines);
}

std::string WithoutRow(std::size_t row) {
  std::vector<std::string> lines = ExampleLines();
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(row - 1));
  return Joined(lines);
}

std::string Checked(const std::string& form) { return CheckText("BodyXYZ.CSV", CheckForm(form)); }

const std::string kBlankCell = "You have a blank cell in the rows of the .CSV form you filled in.";
const std::string kTorso =
    "torsova refuses this form: \"Either no file BodyXYZ.CSV has been saved.\"\n";
const std::string kAcceptedAll =
    "torsova accepts this form, with no warnings; every landmark is in the form\n";

struct PlantedCase {
  std::string what;
  std::string form;
  std::string expected;
};

// One fault planted in the example form: its finding in its cell, then the
// verdict, with torsova's own words.
TEST(FormCheckTest, NamesEachPlantedFaultInItsCell) {
  const std::vector<PlantedCase> cases = {
      {"the example", testing::ExampleForm(), kAcceptedAll},
      {"a blank x", WithRow(6, "RWRI,,4.8,86.9"),
       "BodyXYZ.CSV:B6: " + kBlankCell + "\ntorsova refuses this form: \"" + kBlankCell + "\"\n"},
      {"a space after a z", WithRow(9, "LELB,25.0,2.4,114.1 "),
       "BodyXYZ.CSV:D9: 114.1  is not a number.\n"
       "torsova refuses this form: \"114.1  is not a number.\"\n"},
      {"a y too large", WithRow(13, "RKNE,-10.1,12345678901,52.6"),
       "BodyXYZ.CSV:C13: 12345678901 is too large a coordinate.\n"
       "torsova refuses this form: \"12345678901 is too large a coordinate.\"\n"},
      {"a word for a label", WithRow(11, "Finger,27.5,6.5,68.9"),
       "BodyXYZ.CSV:A11: nger is not a legitimate anatomical label.\n"
       "torsova refuses this form: \"nger is not a legitimate anatomical label.\"\n"},
      {"an empty row", WithRowsBefore(11, {",,,"}),
       "BodyXYZ.CSV:11: the row is empty, and torsova reads it as a landmark row: " + kBlankCell +
           "\ntorsova refuses this form: \"" + kBlankCell + "\"\n"},
      {"an empty title", WithRow(1, ",,,"),
       "BodyXYZ.CSV:1: the title is empty once torsova drops its commas: There is a blank line "
       "in the individual's data.\n"
       "torsova refuses this form: \"There is a blank line in the individual's data.\"\n"},
      {"no right pelvis", WithoutRow(12),
       "BodyXYZ.CSV: RPEL, the right pelvis, is not in the form: torsova must have points CRAN, "
       "LSHO, RSHO, LPEL, RPEL.\n" +
           kTorso},
      {"relb", WithRow(5, "relb,-24.6,2.1,113.7"),
       "BodyXYZ.CSV:A5: relb passes the label check as RELB, the right elbow, but torsova counts "
       "a landmark only under its exact code, so it takes the right elbow as missing: write RELB\n"
       "torsova accepts this form, with 1 warning; not in the form: RELB right elbow\n"},
      {"XRELB besides RELB", WithRowsBefore(21, {"XRELB,-24.6,2.1,113.7"}),
       "BodyXYZ.CSV:A21: XRELB passes the label check as RELB, the right elbow, but torsova "
       "counts a landmark only under its exact code, so it passes over this row (RELB is on row "
       "5)\ntorsova accepts this form, with 1 warning; every landmark is in the form\n"},
      {"RELB three times", WithRowsBefore(21, {"RELB,1,2,3", "RELB,4,5,6"}),
       "BodyXYZ.CSV:A21: RELB is given 3 times, first on rows 5 and 21: torsova takes the first "
       "and passes over the others\n"
       "torsova accepts this form, with 1 warning; every landmark is in the form\n"},
      {"a row of five cells", WithRow(5, "RELB,-24.6,2.1,113.7,"),
       "BodyXYZ.CSV:5: the row has 5 cells, not 4: torsova reads the cells one after another "
       "across the rows, so every later cell lands in the wrong column\n"
       "torsova refuses this form: \"" +
           kBlankCell + "\"\n"},
      {"two landmarks in one row", WithRow(3, "CRAN,0.0,1.5,172.4," + ExampleLines()[3]),
       "BodyXYZ.CSV:3: the row has 8 cells, not 4: torsova reads it as 2 landmark rows\n"
       "BodyXYZ.CSV:A4: RSHO is given twice, on rows 3 and 4: torsova takes the first and passes "
       "over the other\n"
       "torsova accepts this form, with 2 warnings; every landmark is in the form\n"},
      {"lone CRs in the title", "Example\rsubject,,,\r\n" + WithoutRow(1),
       "BodyXYZ.CSV:1: torsova reads this row and the next 1 as one line, the title: a CR alone "
       "ends a row for a spreadsheet but no line for torsova (`torsova-form convert` writes a "
       "copy with CR LF line ends)\n"
       "BodyXYZ.CSV:4: torsova reads this row as the first landmark row: it takes its first two "
       "lines for the title and the headings\n"
       "torsova accepts this form, with 2 warnings; every landmark is in the form\n"},
      {"no headings", WithoutRow(2),
       "BodyXYZ.CSV:2: torsova takes this row for the headings and reads nothing in it, so its "
       "landmark CRAN is left out\n"
       "BodyXYZ.CSV: CRAN, the cranium, is not in the form: torsova must have points CRAN, LSHO, "
       "RSHO, LPEL, RPEL.\n" +
           kTorso},
      {"a mistyped elbow", WithRow(5, "RELB,-24.6,2.1,131.7"),
       "BodyXYZ.CSV:D5: upper arm: the sides differ by 76 %: check the form (one typing slip "
       "in RELB's z, here, would explain it)\n"
       "BodyXYZ.CSV:D5: forearm: the sides differ by 50 %: check the form (one typing slip in "
       "RELB's z, here, would explain it)\n"
       "torsova accepts this form, with 2 warnings; every landmark is in the form\n"},
      // A slip in LELB's x would make the left elbow the right one's mirror
      // too, but on the body's right side.
      {"an elbow's dropped minus", WithRow(5, "RELB,24.6,2.1,113.7"),
       "BodyXYZ.CSV:B5: upper arm: the sides differ by 52 %: check the form (one typing slip in "
       "RELB's x, here, would explain it)\n"
       "BodyXYZ.CSV:B5: forearm: the sides differ by 72 %: check the form (one typing slip in "
       "RELB's x, here, would explain it)\n"
       "torsova accepts this form, with 2 warnings; every landmark is in the form\n"},
      // Either finger alone would explain it; a wrist would as well, but would
      // mark the forearm.
      {"a finger's slipped point", WithRow(7, "RFNG,-27.1,6.2,6.84"),
       "BodyXYZ.CSV: hand: the sides differ by 125 %: check the form (one typing slip in RFNG's z "
       "(D7) or in LFNG (row 11) would explain it)\n"
       "torsova accepts this form, with 1 warning; every landmark is in the form\n"},
  };
  for (const PlantedCase& c : cases) EXPECT_EQ(Checked(c.form), c.expected) << c.what;
}

TEST(FormCheckTest, ThreeFaultsGiveThreeFindingsInTheFormsOrder) {
  std::vector<std::string> lines = ExampleLines();
  lines[17 - 1] = "Knee,10.4,4.6,52.9";
  lines[6 - 1] = "RWRI,-26.3,4,8,86.9";  // a decimal comma: one cell too many
  lines[4 - 1] = "RSHO,-19.8,,145.2";
  EXPECT_EQ(Checked(Joined(lines)),
            "BodyXYZ.CSV:C4: " + kBlankCell +
                "\nBodyXYZ.CSV:6: the row has 5 cells, not 4: torsova reads the cells one after "
                "another across the rows, so every later cell lands in the wrong column\n"
                "BodyXYZ.CSV:A17: Knee is not a legitimate anatomical label.\n"
                "torsova refuses this form: \"" +
                kBlankCell + "\"\n");
}

// Semicolons between the cells and decimal commas: one finding, before the
// findings of the form as it would be converted, and torsova's own page.
TEST(FormCheckTest, FormSavedWithOtherSeparatorsIsOneFinding) {
  std::string europe = WithRow(17, "Knee,10.4,4.6,52.9");
  for (char& c : europe) c = c == ',' ? ';' : c == '.' ? ',' : c;
  EXPECT_EQ(Checked(europe),
            "BodyXYZ.CSV: saved with semicolons and decimal commas; torsova reads commas and "
            "decimal points: `torsova-form convert` writes a copy it can read\n"
            "BodyXYZ.CSV:A17: Knee is not a legitimate anatomical label.\n"
            "torsova refuses this form: \"0;1 is not a number.\"\n");
}

// Every golden run's form: check accepts exactly when the run reached
// SUCCESS, and otherwise names the line of the page that says why.
TEST(FormCheckTest, VerdictIsTheGoldenRunsOwn) {
  const std::map<std::string, std::string> refused = {
      {"blank_cell", kBlankCell},
      {"blank_title", "There is a blank line in the individual's data."},
  };
  int forms = 0;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(TORSOVA_SOURCE_DIR) / "tests" / "data")) {
    const fs::path form = entry.path() / "input" / "BodyXYZ.CSV";
    if (!fs::exists(form)) continue;
    ++forms;
    const std::string console = testing::ReadFileBytes((entry.path() / "console").string());
    const TorsovaVerdict verdict = CheckForm(testing::ReadFileBytes(form.string())).verdict;
    const bool succeeded = console.find("SUCCESS\r\n") != std::string::npos;
    EXPECT_EQ(verdict.accepted, succeeded) << form;
    if (!succeeded) {
      const auto line = refused.find(entry.path().filename().string());
      ASSERT_NE(line, refused.end()) << "which line names the fault of " << form << "?";
      EXPECT_EQ(verdict.page_line, line->second) << form;
      EXPECT_NE(console.find(verdict.page_line + "\r\n"), std::string::npos) << form;
    }
  }
  EXPECT_GE(forms, 5);
}

}  // namespace
}  // namespace torsova::form
