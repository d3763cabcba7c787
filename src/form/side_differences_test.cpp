#include "form/side_differences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/form_reading.h"
#include "form/landmark_tally.h"
#include "platform/memory_folder.h"
#include "run/run_sequence.h"
#include "support/fake_platform.h"
#include "view/body/body_figure.h"
#include "view/figure/figure_reader.h"

namespace torsova::form {
namespace {

// The figure a whole torsova run writes for `form`.
std::string FigureOf(const std::string& form) {
  MemoryFolder folder;
  folder.files["BodyXYZ.CSV"] = form;
  testing::RecordingConsole console;
  testing::FakeProcess process;
  RunState state(Platform{console, folder, process});
  try {
    RunSequence(state);
  } catch (const testing::RunEnded&) {
  }
  return folder.files["3D_BODY.ROT"];
}

// Each measure as torsova-view shows it: "id=value" or
// "id=right/left/difference/warning", "-" for none.
std::vector<std::string> Shown(const std::array<Measure, kMeasureCount>& measures) {
  std::vector<std::string> shown;
  const auto text = [](const std::optional<std::string>& s) { return s.value_or("-"); };
  for (const Measure& m : measures) {
    shown.push_back(std::string(m.id) + "=" +
                    (m.paired ? text(m.right) + "/" + text(m.left) + "/" + text(m.difference) +
                                    "/" + text(m.warning)
                              : text(m.value)));
  }
  return shown;
}

// The measures of the form's figure as check reckons them, without the
// figure, are those torsova-view reads from the figure torsova writes.
TEST(SideDifferencesTest, MeasuresAreThoseTheViewerShowsForTheFigure) {
  std::string mistyped = testing::ExampleForm();
  mistyped.replace(mistyped.find("113.7"), 5, "131.7");
  // Knees a third decimal off the pelvis points, across the height: a length
  // of the unrounded coordinates would show 14.15, of the figure's 14.14.
  std::string third_decimals = testing::ExampleForm();
  third_decimals.replace(third_decimals.find("-10.1,4.3,52.6"), 14, "-22.404,12.804,98.5");
  third_decimals.replace(third_decimals.find("10.4,4.6,52.9"), 13, "22.604,13.004,98.8");
  const std::vector<std::string> forms = {
      testing::ExampleForm(), mistyped, third_decimals,
      testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) +
                             "/tests/data/missing_elbow_and_finger/input/BodyXYZ.CSV")};
  for (const std::string& form : forms) {
    LandmarkTally tally;
    std::vector<Finding> findings;
    ReadForm(form, findings, [&](const FormRow& row) { tally.Add(row); });
    const BodyPoints reckoned = FigurePoints(tally.given());

    const std::string figure = FigureOf(form);
    TextSource source(ReadBytes(figure));
    const std::optional<view::BodyFigure> body =
        view::RecogniseBody(view::ReadFigure(source).figure);
    ASSERT_TRUE(body.has_value()) << form;
    EXPECT_EQ(reckoned.missing, body->missing) << form;
    EXPECT_EQ(Shown(MeasureBody(reckoned)), Shown(view::MeasureBody(*body))) << form;
  }
}

}  // namespace
}  // namespace torsova::form
