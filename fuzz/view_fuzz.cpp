// Arbitrary bytes as a figure, read and written as the page, the drawing and
// the list: no number written is inf or nan, the title arrives in the markup
// and in the page's data escaped (it ends no element and reads back as
// itself), and the list has a row for every segment and mark.
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/memory_folder.h"
#include "textio/text_source.h"
#include "view/figure/figure_reader.h"
#include "view/write/drawing_writer.h"
#include "view/write/embedded_page.h"
#include "view/write/list_writer.h"
#include "view/write/page_writer.h"

namespace {

using torsova::view::Figure;
using torsova::view::StringSink;
using torsova::view::TextWriter;

void Check(bool condition) {
  if (!condition) std::abort();
}

template <typename Write>
std::string Written(Write write) {
  StringSink sink;
  TextWriter out(sink);
  write(out);
  Check(out.Finish());
  return sink.text;
}

std::size_t Count(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// The text of markup between `open` (found from `from`) and the next `close`,
// its five references undone; aborts on a raw < or a stray &.
std::string MarkupText(std::string_view markup, std::string_view open, std::string_view close,
                       std::size_t from = 0) {
  const std::size_t start = markup.find(open, from);
  Check(start != std::string_view::npos);
  const std::size_t begin = start + open.size();
  const std::size_t end = markup.find(close, begin);
  Check(end != std::string_view::npos);
  const std::string_view escaped = markup.substr(begin, end - begin);
  static constexpr std::string_view kReferences[][2] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}};
  std::string text;
  for (std::size_t at = 0; at < escaped.size();) {
    Check(escaped[at] != '<' && escaped[at] != '>');
    if (escaped[at] != '&') {
      text += escaped[at++];
      continue;
    }
    bool known = false;
    for (const auto& reference : kReferences) {
      if (escaped.compare(at, reference[0].size(), reference[0]) != 0) continue;
      text += reference[1];
      at += reference[0].size();
      known = true;
      break;
    }
    Check(known);
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  Check(c >= 'a' && c <= 'f');
  return c - 'a' + 10;
}

// Reads the JSON string at `at` (its opening quote) as the page's script
// would, moving `at` past it. No byte in it may end the script element.
std::string JsonString(std::string_view data, std::size_t& at) {
  Check(data[at] == '"');
  std::string text;
  for (++at;; ++at) {
    Check(at < data.size());
    const char c = data[at];
    Check(c != '<' && c != '>' && static_cast<unsigned char>(c) >= 0x20);
    Check(data.compare(at, 3, "\xE2\x80\xA8") != 0 && data.compare(at, 3, "\xE2\x80\xA9") != 0);
    if (c == '"') break;
    if (c != '\\') {
      text += c;
      continue;
    }
    const char escape = data[++at];
    if (escape == '"' || escape == '\\') {
      text += escape;
      continue;
    }
    Check(escape == 'u' && at + 4 < data.size());
    int code = 0;
    for (int k = 1; k <= 4; ++k) code = code * 16 + HexDigit(data[at + k]);
    at += 4;
    if (code < 0x80) {
      text += static_cast<char>(code);
    } else {
      Check(code == 0x2028 || code == 0x2029);
      text += code == 0x2028 ? "\xE2\x80\xA8" : "\xE2\x80\xA9";
    }
  }
  ++at;
  return text;
}

// inf and nan are the only letters std::to_chars can write for a number.
void CheckNumbersFinite(std::string_view text) {
  Check(text.find("inf") == std::string_view::npos && text.find("nan") == std::string_view::npos);
}

void CheckDrawing(const Figure& figure, std::string drawing) {
  Check(MarkupText(drawing, "<title>", "</title>") == figure.title);
  const std::string_view visible = "font-size=\"16\" fill=\"";
  if (!figure.title.empty()) {
    const std::size_t text = drawing.find(visible);
    Check(text != std::string::npos);
    Check(MarkupText(drawing, "\">", "</text>", text) == figure.title);
    const std::size_t begin = drawing.find("\">", text);
    drawing.erase(begin, drawing.find("</text>", begin) - begin);
  }
  const std::size_t begin = drawing.find("<title>");
  drawing.erase(begin, drawing.find("</title>") - begin);
  CheckNumbersFinite(drawing);
}

void CheckPage(const Figure& figure, const std::string& page) {
  const auto& embedded = torsova::view::TheFigurePage();
  const std::string shown = figure.title.empty() ? "Untitled figure" : figure.title;
  Check(MarkupText(page, "<title>", "</title>") == shown);
  Check(MarkupText(page, "<h1 id=\"title\">", "</h1>") == shown);
  // Nothing of the figure's ends or opens a script element.
  for (const std::string_view tag : {"<script", "</script"}) {
    Check(Count(page, tag) == Count(embedded.page_template, tag) + Count(embedded.script, tag) +
                                  Count(embedded.style, tag));
  }
  const std::string_view marker = "id=\"figure-data\">";
  const std::size_t begin = page.find(marker) + marker.size();
  const std::string_view data =
      std::string_view(page).substr(begin, page.find("</script>", begin) - begin);
  const std::string_view title_key = "{\"title\":";
  Check(data.compare(0, title_key.size(), title_key) == 0);
  std::size_t at = title_key.size();
  Check(JsonString(data, at) == figure.title);
  Check(data.find('<') == std::string_view::npos);
  CheckNumbersFinite(data.substr(at));
}

void CheckList(const Figure& figure, const std::string& list) {
  CheckNumbersFinite(list);
  Check(Count(list, "\n") == figure.order.size() + 1);
  Check(Count(list, "\nline,") == figure.LineCount());
  Check(Count(list, "\ncircle,") == figure.CircleCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  torsova::testing::MemoryFolder folder;
  folder.files["f"] = std::string(reinterpret_cast<const char*>(data), size);
  torsova::TextSource source(folder.OpenForReading("f"));
  const torsova::view::FigureReading reading = torsova::view::ReadFigure(source);
  if (reading.error) return 0;
  const Figure& figure = reading.figure;
  Check(figure.order.size() == figure.LineCount() + figure.CircleCount());

  CheckDrawing(figure, Written([&](TextWriter& out) { WriteDrawing(figure, out); }));
  CheckPage(figure, Written([&](TextWriter& out) {
              WritePage(figure, torsova::view::TheFigurePage(), out);
            }));
  CheckList(figure, Written([&](TextWriter& out) { WriteList(figure, out); }));
  return 0;
}
