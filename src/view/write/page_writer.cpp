#include "view/write/page_writer.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "view/body/body_figure.h"

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

void WriteOptionalString(const std::optional<std::string>& text, TextWriter& out) {
  if (text) {
    WriteJsonString(*text, out);
  } else {
    out << "null";
  }
}

void WriteNumbers(const double* values, std::size_t count, TextWriter& out) {
  out << '[';
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out << ',';
    out.Shortest(values[i]);
  }
  out << ']';
}

// The body's part of the data: its points by name, what the form lacked and
// the measures, every number of them already rounded as the page shows it.
void WriteBodyData(const Figure& figure, TextWriter& out) {
  const std::optional<BodyFigure> body = RecogniseBody(figure);
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
  out << "],\"measures\":[";
  const std::array<Measure, kMeasureCount> measures = MeasureBody(*body);
  for (std::size_t i = 0; i < measures.size(); ++i) {
    const Measure& measure = measures[i];
    out << (i > 0 ? ",{\"id\":" : "{\"id\":");
    WriteJsonString(measure.id, out);
    out << ",\"name\":";
    WriteJsonString(measure.name, out);
    if (!measure.paired) {
      out << ",\"value\":";
      WriteOptionalString(measure.value, out);
    } else {
      out << ",\"right\":";
      WriteOptionalString(measure.right, out);
      out << ",\"left\":";
      WriteOptionalString(measure.left, out);
      out << ",\"difference\":";
      WriteOptionalString(measure.difference, out);
      out << ",\"warning\":";
      WriteOptionalString(measure.warning, out);
    }
    out << '}';
  }
  out << "]}";
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
  WriteBodyData(figure, out);
  out << '}';
}

void WritePage(const Figure& figure, const EmbeddedPage& page, TextWriter& out) {
  enum class Filler { kScriptHash, kStyleHash, kTitle, kStyle, kData, kScript };
  static constexpr struct {
    std::string_view name;
    Filler filler;
  } kPlaceholders[] = {
      {"@SCRIPT_HASH@", Filler::kScriptHash},
      {"@STYLE_HASH@", Filler::kStyleHash},
      {"@TITLE@", Filler::kTitle},
      {"@STYLE@", Filler::kStyle},
      {"@DATA@", Filler::kData},
      {"@SCRIPT@", Filler::kScript},
  };
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
        case Filler::kTitle:
          WriteMarkupText(figure.title, out);
          break;
        case Filler::kStyle:
          out << page.style;
          break;
        case Filler::kData:
          WriteFigureData(figure, out);
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
