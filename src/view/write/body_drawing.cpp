#include "view/write/body_drawing.h"

#include "view/write/page_writer.h"

namespace torsova::view {
namespace {

constexpr int kDecimals = 2;
constexpr double kRow = 16;
constexpr std::size_t kLineCharacters = 56;            // at 12 pixels, within the panel's width
constexpr std::string_view kNoValue = "\xE2\x80\x93";  // an en dash

// The right ends of the number columns.
constexpr double kValueColumn = 200;
constexpr double kLeftColumn = 262;
constexpr double kDifferenceColumn = 360;

std::string_view WarningColour(bool white_back) { return white_back ? "#b3261e" : "#ff8a80"; }

// One piece of a row of the table, `anchor` "end" for a number ending at `x`.
// Each piece is a <text> of its own: some renderers ignore text-anchor on a
// <tspan>, and the row's size and colour come from its group.
void Piece(double x, double y, std::string_view anchor, std::string_view text, TextWriter& out) {
  out << "<text x=\"";
  out.Fixed(x, kDecimals) << "\" y=\"";
  out.Fixed(y, kDecimals) << '"';
  if (!anchor.empty()) out << " text-anchor=\"" << anchor << '"';
  out << '>';
  WriteMarkupText(text, out);
  out << "</text>";
}

void Number(double right_end, double y, const std::optional<std::string>& value, TextWriter& out) {
  Piece(right_end, y, "end", value ? std::string_view(*value) : kNoValue, out);
}

// Opens a line of text at the left margin, `y` pixels down.
void OpenText(double y, std::size_t size, std::string_view fill, TextWriter& out) {
  out << "<text x=\"20\" y=\"";
  out.Fixed(y, kDecimals) << "\" font-size=\"";
  out.Count(size) << "\" fill=\"" << fill << "\">";
}

}  // namespace

BodyPanel MakeBodyPanel(const BodyFigure& body) {
  BodyPanel panel;
  std::string line(kMissingHeading);
  bool first = true;
  for (const std::string& entry : MissingLandmarks(body)) {
    if (!first && line.size() + 2 + entry.size() > kLineCharacters) {
      panel.missing_lines.push_back(line + ",");
      line.clear();
    } else if (!first) {
      line += ", ";
    }
    line += entry;
    first = false;
  }
  if (!first) panel.missing_lines.push_back(line);
  panel.legend = !body.across.empty();
  panel.measures = MeasureBody(body);
  std::size_t warnings = 0;
  for (const Measure& measure : panel.measures) warnings += measure.warning ? 1 : 0;
  panel.height = 4 + kRow * static_cast<double>(panel.missing_lines.size()) +
                 (panel.legend ? 18 : 0) + 26 + 18 +
                 kRow * static_cast<double>(panel.measures.size() + warnings) + 14;
  return panel;
}

void WriteBodyPanel(const BodyPanel& panel, double top, bool white_back, std::string_view ink,
                    std::string_view labels, TextWriter& out) {
  double y = top + 4;
  if (!panel.missing_lines.empty()) {
    out << "<g id=\"missing\">\n<title>Landmarks not in the form</title>\n";
    for (const std::string& line : panel.missing_lines) {
      y += kRow;
      OpenText(y, 12, ink, out);
      WriteMarkupText(line, out);
      out << "</text>\n";
    }
    if (panel.legend) {
      y += 18;
      out << "<path " << kAcrossStyle << " stroke=\"" << ink << "\" d=\"M20 ";
      out.Fixed(y - 4, kDecimals) << " H50\"/>\n<text x=\"58\" y=\"";
      out.Fixed(y, kDecimals) << "\" font-size=\"12\" fill=\"" << labels
                              << "\">a line across a missing landmark</text>\n";
    }
    out << "</g>\n";
  }

  out << "<g id=\"measures\">\n<title>Measures</title>\n";
  y += 26;
  OpenText(y, 13, ink, out);
  out << "Measures, in the figure's unit</text>\n";
  y += 18;
  out << "<g font-size=\"11\" fill=\"" << labels << "\">";
  Piece(20, y, {}, "measure", out);
  Piece(kValueColumn, y, "end", "value / right", out);
  Piece(kLeftColumn, y, "end", "left", out);
  Piece(kDifferenceColumn, y, "end", "difference %", out);
  out << "</g>\n";
  const std::string_view warning = WarningColour(white_back);
  for (const Measure& measure : panel.measures) {
    y += kRow;
    out << "<g class=\"measure\" data-id=\"" << measure.id << "\" font-size=\"12\" fill=\"" << ink
        << "\">";
    Piece(20, y, {}, measure.name, out);
    if (!measure.paired) {
      Number(kValueColumn, y, measure.value, out);
    } else {
      Number(kValueColumn, y, measure.right, out);
      Number(kLeftColumn, y, measure.left, out);
      if (measure.warning) out << "<g fill=\"" << warning << "\" font-weight=\"bold\">";
      Number(kDifferenceColumn, y, measure.difference, out);
      if (measure.warning) out << "</g>";
    }
    out << "</g>\n";
  }
  for (const Measure& measure : panel.measures) {
    if (!measure.warning) continue;
    y += kRow;
    OpenText(y, 12, warning, out);
    WriteMarkupText(measure.name, out);
    out << ": ";
    WriteMarkupText(*measure.warning, out);
    out << "</text>\n";
  }
  out << "</g>\n";
}

}  // namespace torsova::view
