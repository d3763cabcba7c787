#include "view/write/page_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/memory_folder.h"
#include "view/figure/figure_reader.h"

namespace torsova::view {
namespace {

Figure FigureFile(const std::string& bytes) {
  testing::MemoryFolder folder;
  folder.files["f"] = bytes;
  TextSource source(folder.OpenForReading("f"));
  return ReadFigure(source).figure;
}

std::string Data(const std::string& path) {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) + "/tests/data/" + path);
}

Figure SmallFigure(const std::string& title) {
  Figure figure;
  figure.title = title;
  figure.white_back = true;
  figure.lines = {0, 0, 0, 1, 2.5, -0.1};
  figure.circles = {1, 2.5, -0.1, 0.03};
  figure.order = {false, true};
  figure.min = {0, 0, -0.1};
  figure.max = {1, 2.5, 0};
  figure.size = 2.5;
  return figure;
}

std::string Page(const Figure& figure, const EmbeddedPage& page) {
  StringSink sink;
  TextWriter out(sink);
  WritePage(figure, page, out);
  EXPECT_TRUE(out.Finish());
  return sink.text;
}

TEST(PageWriterTest, FillsEachPlaceholderOnceAndNeverRescansWhatItInserted) {
  const EmbeddedPage page{"<@SCRIPT_HASH@|@STYLE_HASH@>@TITLE@ @x@ @STYLE@@DATA@@SCRIPT@@",
                          "js@TITLE@", "css", "sha256-A", "sha256-B"};
  const std::string text = Page(SmallFigure("@SCRIPT@ <i>\"Q&A\"</i> 'x'"), page);
  EXPECT_EQ(text,
            "<sha256-A|sha256-B>@SCRIPT@ &lt;i&gt;&quot;Q&amp;A&quot;&lt;/i&gt; &#39;x&#39; @x@ "
            "css{\"title\":\"@SCRIPT@ \\u003ci\\u003e\\\"Q\\u0026A\\\"\\u003c/i\\u003e 'x'\","
            "\"whiteBack\":true,\"fillCircles\":false,\"min\":[0,0,-0.1],\"max\":[1,2.5,0],"
            "\"size\":2.5,\"lines\":[0,0,0,1,2.5,-0.1],\"circles\":[1,2.5,-0.1,0.03],\"body\":null}"
            "js@TITLE@@");
}

TEST(PageWriterTest, JsonStringsCannotEndTheScriptElementOrTheLine) {
  StringSink sink;
  TextWriter out(sink);
  WriteFigureData(SmallFigure("</script>\xe2\x80\xa8\xe2\x80\xa9\\\x01"), out);
  out.Finish();
  const std::string title = "{\"title\":\"\\u003c/script\\u003e\\u2028\\u2029\\\\\\u0001\",";
  EXPECT_EQ(sink.text.substr(0, title.size()), title);
}

// What the page shows at once comes written in its markup.
TEST(PageWriterTest, WritesWhatThePageShowsAtOnceIntoItsMarkup) {
  const EmbeddedPage page{
      "<html@ROOT_CLASS@>@TITLE@|@COUNTS@|@EXTENT@|not@NOT_BODY_HIDDEN@|missing@MISSING_HIDDEN@"
      ":@MISSING@|across@ACROSS_HIDDEN@|panel@PANEL_HIDDEN@|gaps@GAPS_HIDDEN@",
      "", "", "", ""};
  const struct {
    std::string name, file, markup;
  } cases[] = {
      {"example", Data("example_form/expected/3D_BODY.ROT"),
       "<html class=\"body\">Example subject (adult male)|17 lines, 5 circles|extent x 54.6, y "
       "25.7, "
       "z 157.7 (height)|not hidden|missing hidden:|across hidden|panel|gaps hidden"},
      {"lacking", Data("view/lacking_lelb_rkne.ROT"),
       "<html class=\"body\">Example subject (adult male)|15 lines, 5 circles|extent x 54.6, y "
       "25.7, "
       "z 171.2 (height)|not hidden|missing:Not in the form: LELB left elbow, RKNE right "
       "knee|across|"
       "panel|gaps"},
      {"lacking fingers only", Data("view/lacking_fingers.ROT"),
       "<html class=\"body\">Example subject (adult male)|15 lines, 5 circles|extent x 53.1, y "
       "25.7, "
       "z 171.2 (height)|not hidden|missing:Not in the form: RFNG right finger, LFNG left finger|"
       "across hidden|panel|gaps"},
      {"dark, untitled, not a body", "#\r\n 1 2 3 0\r\n 4 5 6.25 7\r\n",
       "<html class=\"dark\">Untitled figure|1 line, 0 circles|extent x 3, y 3.25, z 3 "
       "(height)|not|"
       "missing hidden:|across hidden|panel hidden|gaps hidden"},
      {"markup in the title", "#<b>&\r\ns WhiteBack\r\n 0 0 0 0\r\n 1234567 0.5 0 7\r\n",
       "<html>&lt;b&gt;&amp;|1 line, 0 circles|extent x 1234570, y 0, z 0.5 (height)|not|"
       "missing hidden:|across hidden|panel hidden|gaps hidden"},
  };
  for (const auto& c : cases) EXPECT_EQ(Page(FigureFile(c.file), page), c.markup) << c.name;

  // The measures' rows: both sides in their columns, none for what a missing
  // landmark ends, a marked difference and its warning in words.
  const EmbeddedPage rows{"@MEASURES@", "", "", "", ""};
  const std::string lacking = Page(FigureFile(Data("view/lacking_lelb_rkne.ROT")), rows);
  const std::string dash = "\xE2\x80\x94";
  for (const std::string& row : std::vector<std::string>{
           "<tr data-measure=\"height\"><th scope=\"row\">height</th><td colspan=\"2\">171.20</td>"
           "<td></td></tr>\n",
           "<tr data-measure=\"upper_arm\"><th scope=\"row\">upper arm</th><td>31.90</td><td>" +
               dash + "</td><td>" + dash + "</td></tr>\n",
           "<tr data-measure=\"shank\"><th scope=\"row\">shank</th><td>" + dash +
               "</td><td>44.81</td><td>" + dash + "</td></tr>\n",
           "<tr data-measure=\"foot\"><th scope=\"row\">foot</th><td>19.97</td><td>20.07</td>"
           "<td>-0.5 %</td></tr>\n"}) {
    EXPECT_NE(lacking.find(row), std::string::npos) << row;
  }
  const std::string mistyped = Page(FigureFile(Data("view/mistyped_elbow.ROT")), rows);
  EXPECT_NE(mistyped.find(
                "<tr data-measure=\"upper_arm\" class=\"marked\"><th scope=\"row\">upper "
                "arm</th><td>36.85</td><td>31.92</td><td>+14.3 %</td></tr>\n<tr class=\"warning\">"
                "<td colspan=\"4\">\xE2\x9A\xA0 upper arm: the sides differ by 14 %: check the "
                "form</td></tr>\n"),
            std::string::npos)
      << mistyped;
}

}  // namespace
}  // namespace torsova::view
