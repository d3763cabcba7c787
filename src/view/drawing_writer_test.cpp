#include "view/drawing_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace torsova::view {
namespace {

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

}  // namespace
}  // namespace torsova::view
