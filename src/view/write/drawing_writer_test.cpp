#include "view/write/drawing_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/memory_folder.h"
#include "view/body/body_figure.h"
#include "view/figure/figure_reader.h"

namespace torsova::view {
namespace {

Figure FigureFile(const std::string& file) {
  testing::MemoryFolder folder;
  folder.files["f"] = file;
  TextSource source(folder.OpenForReading("f"));
  const FigureReading reading = ReadFigure(source);
  EXPECT_FALSE(reading.error) << file;
  return reading.figure;
}

std::string DrawingOf(const std::string& file) {
  StringSink sink;
  TextWriter out(sink);
  WriteDrawing(FigureFile(file), out);
  EXPECT_TRUE(out.Finish());
  return sink.text;
}

std::string Data(const std::string& path) {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) + "/tests/data/" + path);
}

// The part of `text` from `start` to the end of its element or group.
std::string Element(const std::string& text, const std::string& start, const std::string& end) {
  const std::size_t at = text.find(start);
  return at == std::string::npos ? "" : text.substr(at, text.find(end, at) - at);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(DrawingWriterTest, ScaleBarIsANiceLengthOfAtMostAThird) {
  const struct {
    double size;
    std::string bar;
  } cases[] = {{172.4, "50"},  {150, "50"},        {149.9, "20"}, {1, "0.2"},
               {3000, "1000"}, {0.0029, "0.0005"}, {30, "10"}};
  for (const auto& c : cases) EXPECT_EQ(ScaleBarLength(c.size), c.bar) << c.size;
}

TEST(DrawingWriterTest, EachViewTakesItsOwnPairOfNumbers) {
  Figure figure;
  figure.title = "<b>&";
  figure.lines = {0, 0, 0, 1, 2, 3};
  figure.order = {false};
  figure.max = {1, 2, 3};
  figure.size = 3;
  StringSink sink;
  TextWriter out(sink);
  WriteDrawing(figure, out);
  ASSERT_TRUE(out.Finish());
  const std::string& svg = sink.text;
  EXPECT_NE(svg.find("<title>&lt;b&gt;&amp;</title>"), std::string::npos);
  // One scale: 240 pixels for the size; front, side and top side by side.
  const char* const views[][2] = {{"<g id=\"front\">", "d=\"M20 236 L100 76\""},
                                  {"<g id=\"side\">", "d=\"M140 236 L380 76\""},
                                  {"<g id=\"top\">", "d=\"M420 316 L500 76\""}};
  for (const auto& view : views) {
    const std::size_t group = svg.find(view[0]);
    ASSERT_NE(group, std::string::npos) << view[0];
    EXPECT_EQ(svg.find(view[1]), svg.find(" d=\"", group) + 1) << view[0];
  }
}

TEST(DrawingWriterTest, EachSettingActsOnItsOwn) {
  const struct {
    std::string settings;
    std::string background;
    std::string circles;
  } cases[] = {
      {"", "fill=\"#1e1f22\"", "<g fill=\"none\" stroke=\"#e8e8e8\""},
      {"s WhiteBack\n", "fill=\"#ffffff\"", "<g fill=\"none\" stroke=\"#1a1a1a\""},
      {"s FillCircles\n", "fill=\"#1e1f22\"", "<g fill=\"#e8e8e8\" stroke=\"#e8e8e8\""},
  };
  for (const auto& c : cases) {
    const std::string svg = DrawingOf(c.settings + "0 0 0 0\n1 2 3 7\n1 2 3 -7\n");
    EXPECT_NE(svg.find("<rect width=\"100%\" height=\"100%\" " + c.background + "/>"),
              std::string::npos)
        << c.settings;
    EXPECT_EQ(Count(svg, c.circles), 3u) << c.settings;
  }
}

TEST(DrawingWriterTest, LongStrokesArePathsOfBoundedLength) {
  std::string file = "0 0 0 0\n";
  const std::size_t segments = 10000;
  for (std::size_t i = 1; i <= segments; ++i) {
    file += (i % 2 ? "1000.125 " : "0.5 ") + std::to_string(i) + " 3.33 7\n";
  }
  const std::string svg = DrawingOf(file);
  std::size_t longest = 0;
  for (std::size_t at = svg.find(" d=\""); at != std::string::npos;
       at = svg.find(" d=\"", at + 1)) {
    longest = std::max(longest, svg.find('"', at + 4) - at);
  }
  EXPECT_LE(longest, 64u * 1024);
  // Every piece starts where it is, and together they draw every segment.
  EXPECT_EQ(Count(svg, " d=\"M"), Count(svg, " d=\""));
  EXPECT_EQ(Count(svg, " L"), 3 * segments);
}

// A body figure's drawing: the lines across a missing landmark dashed and
// nowhere else, the missing landmarks listed whole, everything inside the picture.
TEST(DrawingWriterTest, BodyFiguresDrawTheirMissingLandmarksAndMeasuresInsideThePicture) {
  const struct {
    std::string file;
    std::size_t lines, across, warnings;
  } cases[] = {
      {"example_form/expected/3D_BODY.ROT", 17, 0, 0},
      {"view/lacking_lelb_rkne.ROT", 15, 2, 0},
      {"missing_elbow_and_finger/expected/3D_BODY.ROT", 15, 1, 0},
      {"view/mistyped_elbow.ROT", 17, 0, 2},
      {"torso_only_shuffled/expected/3D_BODY.ROT", 4, 0, 0},
  };
  for (const auto& c : cases) {
    const std::string svg = DrawingOf(Data(c.file));
    for (const std::string view : {"front", "side", "top"}) {
      const std::string group = Element(svg, "<g id=\"" + view + "\">", "<g fill=");
      EXPECT_EQ(Count(Element(group, "<path fill=\"none\"", "/>"), " L"), c.lines - c.across)
          << c.file << " " << view;
      EXPECT_EQ(Count(Element(group, "<path class=\"across\"", "/>"), " L"), c.across)
          << c.file << " " << view;
    }
    // The lines of missing landmarks read as one list, each landmark once.
    const std::optional<BodyFigure> body = RecogniseBody(FigureFile(Data(c.file)));
    ASSERT_TRUE(body) << c.file;
    std::string listed, expected;
    const std::string missing = Element(svg, "<g id=\"missing\">", "</g>");
    for (std::size_t at = missing.find("<text"); at != std::string::npos;
         at = missing.find("<text", at + 1)) {
      const std::size_t text = missing.find('>', at) + 1;
      listed += (listed.empty() ? "" : " ") + missing.substr(text, missing.find('<', text) - text);
    }
    for (const std::string& entry : MissingLandmarks(*body)) {
      expected += (expected.empty() ? "Not in the form: " : ", ") + entry;
    }
    EXPECT_EQ(listed.substr(0, listed.find(" a line across")), expected) << c.file;
    EXPECT_EQ(Count(svg, "the sides differ by"), c.warnings) << c.file;
    EXPECT_EQ(Count(svg, "<g fill=\"#b3261e\" font-weight=\"bold\">"), c.warnings) << c.file;
    // Every text's baseline lies inside the picture's height, above its last 4 pixels.
    const double height = std::stod(svg.substr(svg.find("height=\"") + 8));
    for (std::size_t at = svg.find(" y=\""); at != std::string::npos;
         at = svg.find(" y=\"", at + 1)) {
      EXPECT_LT(std::stod(svg.substr(at + 4)), height - 4) << c.file << " at " << at;
    }
  }
}

}  // namespace
}  // namespace torsova::view
