// The interactive page: the embedded template with its placeholders filled,
// the figure inside it as JSON data for the page's script to draw.
#pragma once

#include <string_view>

#include "view/write/embedded_page.h"
#include "view/figure/figure.h"
#include "view/write/text_writer.h"

namespace torsova::view {

// Fills the placeholders @SCRIPT_HASH@, @STYLE_HASH@, @TITLE@, @STYLE@,
// @DATA@ and @SCRIPT@ in one pass over the template: what goes in is never
// looked at again, so a title such as "@SCRIPT@" stays text.
void WritePage(const Figure& figure, const EmbeddedPage& page, TextWriter& out);

// The figure as one line of JSON:
//   {"title":"...","whiteBack":true,"fillCircles":true,"min":[x,z,y],"max":[x,z,y],
//    "size":S,"lines":[x1,z1,y1,x2,z2,y2,...],"circles":[x,z,y,d,...],"body":B}
// where B is null for a figure that is not a body figure, and otherwise
//   {"points":[{"code":"CRAN","name":"cranium","at":[x,z,y] or null},...],
//    "missing":["LELB",...],"across":[segment,...],"measures":[{"id":"height",
//    "name":"height","value":"171.20"},...,{"id":"upper_arm","name":"upper arm",
//    "right":"31.90","left":"31.92","difference":"-0.1","warning":null},...]}
// Strings write < > & and U+2028/U+2029 as \u escapes, so that nothing in
// them can end the script element that holds the data.
void WriteFigureData(const Figure& figure, TextWriter& out);

// A JSON string of UTF-8 text, with < > & and U+2028/U+2029 as \u escapes
// so that it can sit inside a script element.
//   a"b</ -> "a\"b\u003c/"
void WriteJsonString(std::string_view text, TextWriter& out);

// Text made safe inside markup and its attributes: & < > " ' as references.
//   "<b> & 'x'" -> "&lt;b&gt; &amp; &#39;x&#39;"
void WriteMarkupText(std::string_view text, TextWriter& out);

}  // namespace torsova::view
