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

namespace torsova::view {
namespace {

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
        for (std::size_t k = 0; k < 3; ++k) out << (k > 0 ? "," : "") << (Approximate(i, k) ? "true" : "false");
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
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
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
  enum class Filler {
    kScriptHash, kStyleHash, kRootClass, kTitle, kCounts, kExtent, kNotBodyHidden,
    kMissingHidden, kMissing, kAcrossHidden, kPanelHidden, kMeasures, kGapsHidden, kStyle,
    kData, kScript,
  };
  static constexpr struct {
    std::string_view name;
    Filler filler;
  } kPlaceholders[] = {
      {"@SCRIPT_HASH@", Filler::kScriptHash},
      {"@STYLE_HASH@", Filler::kStyleHash},
      {"@ROOT_CLASS@", Filler::kRootClass},
      {"@TITLE@", Filler::kTitle},
      {"@COUNTS@", Filler::kCounts},
      {"@EXTENT@", Filler::kExtent},
      {"@NOT_BODY_HIDDEN@", Filler::kNotBodyHidden},
      {"@MISSING_HIDDEN@", Filler::kMissingHidden},
      {"@MISSING@", Filler::kMissing},
      {"@ACROSS_HIDDEN@", Filler::kAcrossHidden},
      {"@PANEL_HIDDEN@", Filler::kPanelHidden},
      {"@MEASURES@", Filler::kMeasures},
      {"@GAPS_HIDDEN@", Filler::kGapsHidden},
      {"@STYLE@", Filler::kStyle},
      {"@DATA@", Filler::kData},
      {"@SCRIPT@", Filler::kScript},
  };
  const std::optional<BodyFigure> body = RecogniseBody(figure);
  std::array<Measure, kMeasureCount> measures;
  if (body) measures = MeasureBody(*body);
  const auto hidden_unless = [&](bool shown) { out << (shown ? "" : " hidden"); };
  const std::string_view text = page.page_template;
  std::size_t at = 0;
  for (;;) {
    const std::size_t sign = text.find('@', at);
    out << text.substr(at, sign == std::string_view::npos ? sign : sign - at);
    if (sign == std::string_view::npos) return;
    at = sign + 1;
    const std::string_view rest = text.substr(sign);
    for (const auto& placeholder : kPlaceholders) {
      if (rest.compare(0, placeholder.name.size(), placeholder.name) != 0) continue;
      switch (placeholder.filler) {
        case Filler::kScriptHash:
          out << page.script_hash;
          break;
        case Filler::kStyleHash:
          out << page.style_hash;
          break;
        case Filler::kRootClass:
          // What the style needs before the script runs: the layout of a body
          // figure's page and the colours of a dark one.
          if (body || !figure.white_back) {
            out << " class=\"" << (body ? "body" : "") << (body && !figure.white_back ? " " : "")
                << (figure.white_back ? "" : "dark") << '"';
          }
          break;
        case Filler::kTitle:
          WriteMarkupText(figure.title.empty() ? "Untitled figure" : figure.title, out);
          break;
        case Filler::kCounts:
          out << CountsText(figure);
          break;
        case Filler::kExtent:
          // The file's x, z (height) and y are the first, second and third numbers.
          out << "extent x ";
          WriteSixDigits(figure.max[0] - figure.min[0], out);
          out << ", y ";
          WriteSixDigits(figure.max[2] - figure.min[2], out);
          out << ", z ";
          WriteSixDigits(figure.max[1] - figure.min[1], out);
          out << " (height)";
          break;
        case Filler::kNotBodyHidden:
          hidden_unless(!body);
          break;
        case Filler::kMissingHidden:
          hidden_unless(body && !MissingLandmarks(*body).empty());
          break;
        case Filler::kMissing:
          if (body) WriteMissingLine(*body, out);
          break;
        case Filler::kAcrossHidden:
          hidden_unless(body && !body->across.empty());
          break;
        case Filler::kPanelHidden:
          hidden_unless(body.has_value());
          break;
        case Filler::kMeasures:
          if (body) WriteMeasureRows(measures, out);
          break;
        case Filler::kGapsHidden:
          hidden_unless(body && SomeMeasureMissing(measures));
          break;
        case Filler::kStyle:
          out << page.style;
          break;
        case Filler::kData:
          WriteData(figure, body, out);
          break;
        case Filler::kScript:
          out << page.script;
          break;
      }
      at = sign + placeholder.name.size();
      break;
    }
    if (at == sign + 1) out << '@';
  }
}

}  // namespace torsova::view
