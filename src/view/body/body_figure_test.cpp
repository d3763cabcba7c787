#include "view/body/body_figure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/memory_folder.h"
#include "view/figure/figure_reader.h"
#include "view/write/measures_writer.h"

namespace torsova::view {
namespace {

std::string Data(const std::string& path) {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) + "/tests/data/" + path);
}

Figure Read(const std::string& bytes) {
  testing::MemoryFolder folder;
  folder.files["f"] = bytes;
  TextSource source(folder.OpenForReading("f"));
  FigureReading reading = ReadFigure(source);
  EXPECT_FALSE(reading.error) << reading.error->what;
  return reading.figure;
}

std::vector<std::string> Missing(const BodyFigure& body) {
  std::vector<std::string> codes;
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (body.missing[i]) codes.emplace_back(BodyPointCode(i));
  }
  return codes;
}

// Each measure as "id=value" or "id=right/left/difference", "-" for none.
std::vector<std::string> Shown(const BodyFigure& body) {
  std::vector<std::string> shown;
  const auto text = [](const std::optional<std::string>& s) { return s.value_or("-"); };
  for (const Measure& m : MeasureBody(body)) {
    shown.push_back(
        std::string(m.id) + "=" +
        (m.paired ? text(m.right) + "/" + text(m.left) + "/" + text(m.difference) : text(m.value)));
  }
  return shown;
}

TEST(BodyFigureTest, RecognisesWhatTorsovaWritesWithItsMissingLandmarks) {
  const struct {
    std::string file;
    std::vector<std::string> missing;
    std::vector<std::size_t> across;
  } cases[] = {
      {"example_form/expected/3D_BODY.ROT", {}, {}},
      {"view/lacking_lelb_rkne.ROT", {"LELB", "RKNE"}, {4, 12}},
      {"missing_elbow_and_finger/expected/3D_BODY.ROT", {"LELB", "LFNG"}, {4}},
      {"view/lacking_fingers.ROT", {"RFNG", "LFNG"}, {}},
      {"lacking_right_toe_and_left_finger/expected/3D_BODY.ROT", {"LFNG", "RTOE"}, {}},
      {"lacking_left_toe_and_right_finger/expected/3D_BODY.ROT", {"RFNG", "LTOE"}, {}},
      {"torso_only_shuffled/expected/3D_BODY.ROT",
       {"RELB", "RWRI", "RFNG", "LELB", "LWRI", "LFNG", "RKNE", "RANK", "RTOE", "LKNE", "LANK",
        "LTOE", "TAIL"},
       {}},
  };
  for (const auto& c : cases) {
    const Figure figure = Read(Data(c.file));
    const std::optional<BodyFigure> body = RecogniseBody(figure);
    ASSERT_TRUE(body) << c.file;
    EXPECT_EQ(Missing(*body), c.missing) << c.file;
    EXPECT_EQ(body->across, c.across) << c.file;
    // A line across a missing landmark starts where the figure put it: the form's cranium.
    for (std::size_t segment : c.across) {
      for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(figure.lines[segment * 6 + k], body->points[0][k], 0.0100001) << c.file;
      }
    }
  }
}

TEST(BodyFigureTest, AnEditedOrForeignFigureIsNotABodyFigure) {
  const std::string example = Data("example_form/expected/3D_BODY.ROT");
  const auto replaced = [&](const std::string& from, const std::string& to) {
    const std::size_t at = example.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return std::string(example).replace(at, from.size(), to);
  };
  const std::string stroke_4 = "          0.10  98.65          2.90  7 \r\n";
  const struct {
    std::string name;
    std::string file;
  } cases[] = {
      {"another first line", replaced("#3D body file created by Torsova.", "#3D body file")},
      {"a joined NECK made a new stroke", replaced("0.60  7 ", "0.60  0 ")},
      {"a fixed 0 written as a flagged one", replaced("0.70  0 \r\n", "0.70  0\r\n")},
      {"a flagged 7 without its space", replaced("2.40  7 ", "2.40  7")},
      {"one of LSHO's two lines moved", replaced("20.10  145.6          0.70  0 \r\n         "
                                                 "25.00",
                                                 "20.20  145.6          0.70  0 \r\n         "
                                                 "25.00")},
      {"the left-hand mark at the wrist",
       replaced("27.50  68.9          6.50 -7 ", "26.80  87.3          5.00 -7 ")},
      {"a stroke line left out", replaced(stroke_4, "")},
      {"a point line added", example + "          0.00  92         -6.50  7 \r\n"},
      {"another program's figure", "#Mueller\r\n 1 2 3 0\r\n 4 5 6 7 \r\n"},
  };
  // Every missing landmark sits at the one stand-in point.
  std::string lacking = Data("view/lacking_lelb_rkne.ROT");
  lacking.replace(lacking.rfind("0.00  172.4          1.50  0"), 28,
                  "0.00  172.5          1.50  0");
  EXPECT_FALSE(RecogniseBody(Read(lacking))) << "two stand-in points";
  EXPECT_TRUE(RecogniseBody(Read(example)));
  for (const auto& c : cases) EXPECT_FALSE(RecogniseBody(Read(c.file))) << c.name;
}

TEST(BodyFigureTest, MeasuresTheExampleAndLeavesOutWhatTouchesAMissingLandmark) {
  const std::vector<std::string> example = {"height=171.20",
                                            "head=27.02",
                                            "trunk=46.81",
                                            "shoulder_breadth=39.90",
                                            "pelvis_breadth=25.00",
                                            "upper_arm=31.90/31.92/-0.1",
                                            "forearm=26.99/26.99/0.0",
                                            "hand=18.57/18.47/+0.5",
                                            "thigh=45.98/45.98/0.0",
                                            "shank=44.70/44.81/-0.2",
                                            "foot=19.97/20.07/-0.5",
                                            "tail=11.51"};
  EXPECT_EQ(Shown(*RecogniseBody(Read(Data("example_form/expected/3D_BODY.ROT")))), example);

  std::vector<std::string> lacking = example;
  lacking[5] = "upper_arm=31.90/-/-";
  lacking[6] = "forearm=26.99/-/-";
  lacking[8] = "thigh=-/45.98/-";
  lacking[9] = "shank=-/44.81/-";
  EXPECT_EQ(Shown(*RecogniseBody(Read(Data("view/lacking_lelb_rkne.ROT")))), lacking);

  // One toe missing: the height from the other feet's lowest, its foot none.
  std::vector<std::string> left_toe = example;
  left_toe[7] = "hand=-/18.47/-";
  left_toe[10] = "foot=19.97/-/-";
  EXPECT_EQ(
      Shown(*RecogniseBody(Read(Data("lacking_left_toe_and_right_finger/expected/3D_BODY.ROT")))),
      left_toe);

  // No ankle or toe: no height; no measure of a limb at all.
  const std::vector<std::string> torso = {"height=-",
                                          "head=20.47",
                                          "trunk=59.03",
                                          "shoulder_breadth=40.50",
                                          "pelvis_breadth=20.35",
                                          "upper_arm=-/-/-",
                                          "forearm=-/-/-",
                                          "hand=-/-/-",
                                          "thigh=-/-/-",
                                          "shank=-/-/-",
                                          "foot=-/-/-",
                                          "tail=-"};
  EXPECT_EQ(Shown(*RecogniseBody(Read(Data("torso_only_shuffled/expected/3D_BODY.ROT")))), torso);

  // One elbow typed 5 lower: both of its arm's measures are marked, in words.
  const std::array<Measure, kMeasureCount> typo =
      MeasureBody(*RecogniseBody(Read(Data("view/mistyped_elbow.ROT"))));
  EXPECT_EQ(typo[5].difference, "+14.3");
  EXPECT_EQ(typo[5].warning, "the sides differ by 14 %: check the form");
  EXPECT_EQ(typo[6].difference, "-20.2");
  EXPECT_EQ(typo[6].warning, "the sides differ by 20 %: check the form");
  for (std::size_t i = 7; i < kMeasureCount; ++i) EXPECT_FALSE(typo[i].warning) << typo[i].id;
}

TEST(BodyFigureTest, CsvFieldsAreQuotedOnlyWhenTheyMustBe) {
  const struct {
    std::string text, field;
  } cases[] = {
      {"plain title", "plain title"},
      {"Doe, Jane", "\"Doe, Jane\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"", ""},
  };
  for (const auto& c : cases) {
    StringSink sink;
    TextWriter out(sink);
    WriteCsvField(c.text, out);
    out.Finish();
    EXPECT_EQ(sink.text, c.field) << c.text;
  }
}

}  // namespace
}  // namespace torsova::view
