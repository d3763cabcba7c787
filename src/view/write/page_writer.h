// The interactive page: the embedded template with its placeholders filled,
// the figure inside it as JSON data for the page's script to draw.
#pragma once

#include <string>
#include <string_view>

#include "view/figure/figure.h"
#include "view/write/embedded_page.h"
#include "view/write/text_writer.h"

namespace torsova::view {

// Fills the placeholders of the template in one pass: what goes in is never
// looked at again, so a title such as "@SCRIPT@" stays text. Besides the
// hashes, the style, the data and the script, the page gets as markup what it
// shows at once, so that nothing moves once it is first drawn: @ROOT_CLASS@
// (' class="body dark"', either word, or nothing), @TITLE@ ("Untitled figure"
// for none), @COUNTS@, @EXTENT@ ("extent x 40.7, y 21.6, z 173.65 (height)"),
// @MISSING@ and the measures' rows @MEASURES@ of a body figure, and " hidden"
// or nothing for @NOT_BODY_HIDDEN@, @MISSING_HIDDEN@, @ACROSS_HIDDEN@ (no line
// runs across a missing landmark), @PANEL_HIDDEN@ and @GAPS_HIDDEN@ (every
// measure has its value).
void WritePage(const Figure& figure, const EmbeddedPage& page, TextWriter& out);

// The figure as one line of JSON:
//   {"title":"...","whiteBack":true,"fillCircles":true,"min":[x,z,y],"max":[x,z,y],
//    "size":S,"lines":[x1,z1,y1,x2,z2,y2,...],"circles":[x,z,y,d,...],"body":B}
// where B is null for a figure that is not a body figure, and otherwise
//   {"points":[{"code":"CRAN","name":"cranium","at":[x,z,y] or null,
//    "approximate":[true,false,true]},...],"missing":["LELB",...],"across":[segment,...]}
// with "approximate" only on a point whose numbers the file holds only
// approximately. Strings write < > & and U+2028/U+2029 as \u escapes, so that
// nothing in them can end the script element that holds the data.
void WriteFigureData(const Figure& figure, TextWriter& out);

// What the figure draws, as the page and the summary say it: "17 lines, 5 circles".
std::string CountsText(const Figure& figure);

// A JSON string of UTF-8 text, with < > & and U+2028/U+2029 as \u escapes
// so that it can sit inside a script element.
//   a"b</ -> "a\"b\u003c/"
void WriteJsonString(std::string_view text, TextWriter& out);

// Text made safe inside markup and its attributes: & < > " ' as references.
//   "<b> & 'x'" -> "&lt;b&gt; &amp; &#39;x&#39;"
void WriteMarkupText(std::string_view text, TextWriter& out);

}  // namespace torsova::view
