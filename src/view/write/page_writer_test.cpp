#include "view/write/page_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace torsova::view {
namespace {

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

}  // namespace
}  // namespace torsova::view
