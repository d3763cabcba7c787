#include "view/write/page_writer.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "textio/decimal_conversion.h"
#include "view/body/body_figure.h"
#include "view/write/body_markup.h"
#include "view/write/page_template.h"

namespace torsova::view {

void WriteJsonString(std::string_view text, TextWriter& out) {
  static constexpr char kHex[] = "0123456789abcdef";
  out << '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (byte == '"' || byte == '\\') {
      out << '\\' << text[i];
    } else if (byte < 0x20 || byte == '<' || byte == '>' || byte == '&') {
      out << "\\u00" << kHex[byte >> 4] << kHex[byte & 15];
    } else if (byte == 0xE2 && i + 2 < text.size() && text[i + 1] == '\x80' &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      // U+2028 and U+2029 end a line in older script engines.
      out << (text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029");
      i += 2;
    } else {
      out << text[i];
    }
  }
  out << '"';
}

namespace {

void WriteNumbers(const double* values, std::size_t count, TextWriter& out) {
  out << '[';
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out << ',';
    out.Shortest(values[i]);
  }
  out << ']';
}

// The body's part of the data: its points by name, with the numbers the file
// holds only approximately, and what the form lacked. The measures are in the
// page's markup.
void WriteBodyData(const std::optional<BodyFigure>& body, TextWriter& out) {
  if (!body) {
    out << "null";
    return;
  }
  out << "{\"points\":[";
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    out << (i > 0 ? ",{\"code\":" : "{\"code\":");
    WriteJsonString(BodyPointCode(i), out);
    out << ",\"name\":";
    WriteJsonString(BodyPointName(i), out);
    out << ",\"at\":";
    if (body->missing[i]) {
      out << "null";
    } else {
      WriteNumbers(body->points[i].data(), 3, out);
      if (Approximate(i, 0) || Approximate(i, 1) || Approximate(i, 2)) {
        out << ",\"approximate\":[";
        for (std::size_t k = 0; k < 3; ++k)
          out << (k > 0 ? "," : "") << (Approximate(i, k) ? "true" : "false");
        out << ']';
      }
    }
    out << '}';
  }
  out << "],\"missing\":[";
  const char* separator = "";
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (!body->missing[i]) continue;
    out << separator;
    WriteJsonString(BodyPointCode(i), out);
    separator = ",";
  }
  out << "],\"across\":[";
  for (std::size_t i = 0; i < body->across.size(); ++i) {
    if (i > 0) out << ',';
    out.Count(body->across[i]);
  }
  out << "]}";
}

void WriteData(const Figure& figure, const std::optional<BodyFigure>& body, TextWriter& out) {
  out << "{\"title\":";
  WriteJsonString(figure.title, out);
  out << ",\"whiteBack\":" << (figure.white_back ? "true" : "false");
  out << ",\"fillCircles\":" << (figure.fill_circles ? "true" : "false");
  out << ",\"min\":";
  WriteNumbers(figure.min.data(), figure.min.size(), out);
  out << ",\"max\":";
  WriteNumbers(figure.max.data(), figure.max.size(), out);
  out << ",\"size\":";
  out.Shortest(figure.size);
  out << ",\"lines\":";
  WriteNumbers(figure.lines.data(), figure.lines.size(), out);
  out << ",\"circles\":";
  WriteNumbers(figure.circles.data(), figure.circles.size(), out);
  out << ",\"body\":";
  WriteBodyData(body, out);
  out << '}';
}

// A number as the page shows it: at most six significant digits.
//   45.299999 -> "45.3"    173.65 -> "173.65"    1234567 -> "1234570"
void WriteSixDigits(double value, TextWriter& out) {
  char text[32];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  out.Shortest(DecimalToDouble(std::string_view(text, static_cast<std::size_t>(end - text))) + 0.0);
}

}  // namespace

void WriteMarkupText(std::string_view text, TextWriter& out) {
  for (char c : text) {
    switch (c) {
      case '&':
        out << "&amp;";
        break;
      case '<':
        out << "&lt;";
        break;
      case '>':
        out << "&gt;";
        break;
      case '"':
        out << "&quot;";
        break;
      case '\'':
        out << "&#39;";
        break;
      default:
        out << c;
    }
  }
}

void WriteFigureData(const Figure& figure, TextWriter& out) {
  WriteData(figure, RecogniseBody(figure), out);
}

std::string CountsText(const Figure& figure) {
  const auto counted = [](std::size_t count, std::string_view thing) {
    return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
  };
  return counted(figure.LineCount(), "line") + ", " + counted(figure.CircleCount(), "circle");
}

void WritePage(const Figure& figure, const EmbeddedPage& page, TextWriter& out) {
  const std::optional<BodyFigure> body = RecogniseBody(figure);
  std::array<Measure, kMeasureCount> measures;
  if (body) measures = MeasureBody(*body);
  const auto text = [](std::string_view bytes) { return [bytes](TextWriter& to) { to << bytes; }; };
  const auto hidden_unless = [](bool shown) {
    return [shown](TextWriter& to) { to << (shown ? "" : " hidden"); };
  };
  FillTemplate(page.page_template,
               {
                   {"@SCRIPT_HASH@", text(page.script_hash)},
                   {"@STYLE_HASH@", text(page.style_hash)},
                   // What the style needs before the script runs: the layout of a body
                   // figure's page and the colours of a dark one.
                   {"@ROOT_CLASS@",
                    [&](TextWriter& to) {
                      if (!body && figure.white_back) return;
                      to << " class=\"" << (body ? "body" : "")
                         << (body && !figure.white_back ? " " : "")
                         << (figure.white_back ? "" : "dark") << '"';
                    }},
                   {"@TITLE@",
                    [&](TextWriter& to) {
                      WriteMarkupText(figure.title.empty() ? "Untitled figure" : figure.title, to);
                    }},
                   {"@COUNTS@", [&](TextWriter& to) { to << CountsText(figure); }},
                   // The file's x, z (height) and y are the first, second and third numbers.
                   {"@EXTENT@",
                    [&](TextWriter& to) {
                      to << "extent x ";
                      WriteSixDigits(figure.max[0] - figure.min[0], to);
                      to << ", y ";
                      WriteSixDigits(figure.max[2] - figure.min[2], to);
                      to << ", z ";
                      WriteSixDigits(figure.max[1] - figure.min[1], to);
                      to << " (height)";
                    }},
                   {"@NOT_BODY_HIDDEN@", hidden_unless(!body)},
                   {"@MISSING_HIDDEN@", hidden_unless(body && !MissingLandmarks(*body).empty())},
                   {"@MISSING@",
                    [&](TextWriter& to) {
                      if (body) WriteMissingLine(*body, to);
                    }},
                   {"@ACROSS_HIDDEN@", hidden_unless(body && !body->across.empty())},
                   {"@PANEL_HIDDEN@", hidden_unless(body.has_value())},
                   {"@MEASURES@",
                    [&](TextWriter& to) {
                      if (body) WriteMeasureRows(measures, to);
                    }},
                   {"@GAPS_HIDDEN@", hidden_unless(body && SomeMeasureMissing(measures))},
                   {"@STYLE@", text(page.style)},
                   {"@DATA@", [&](TextWriter& to) { WriteData(figure, body, to); }},
                   {"@SCRIPT@", text(page.script)},
               },
               out);
}

}  // namespace torsova::view
