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

void Cell(double right_end, const std::optional<std::string>& text, std::string_view fill,
          TextWriter& out) {
  out << "<tspan x=\"";
  out.Fixed(right_end, kDecimals) << "\" text-anchor=\"end\"";
  if (!fill.empty()) out << " fill=\"" << fill << "\" font-weight=\"bold\"";
  out << '>';
  WriteMarkupText(text ? std::string_view(*text) : kNoValue, out);
  out << "</tspan>";
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
  std::string line = "Not in the form: ";
  bool first = true;
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (!body.missing[i]) continue;
    std::string entry = std::string(BodyPointCode(i)) + " " + std::string(BodyPointName(i));
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
  OpenText(y, 11, labels, out);
  out << "measure";
  Cell(kValueColumn, std::string("value / right"), {}, out);
  Cell(kLeftColumn, std::string("left"), {}, out);
  Cell(kDifferenceColumn, std::string("difference %"), {}, out);
  out << "</text>\n";
  const std::string_view warning = WarningColour(white_back);
  for (const Measure& measure : panel.measures) {
    y += kRow;
    out << "<text class=\"measure\" data-id=\"" << measure.id << "\" x=\"20\" y=\"";
    out.Fixed(y, kDecimals) << "\" font-size=\"12\" fill=\"" << ink << "\">";
    WriteMarkupText(measure.name, out);
    if (measure.paired) {
      Cell(kValueColumn, measure.right, {}, out);
      Cell(kLeftColumn, measure.left, {}, out);
      Cell(kDifferenceColumn, measure.difference, measure.warning ? warning : "", out);
    } else {
      Cell(kValueColumn, measure.value, {}, out);
    }
    out << "</text>\n";
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
