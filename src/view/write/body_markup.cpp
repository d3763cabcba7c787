#include "view/write/body_markup.h"

#include <optional>
#include <string>
#include <string_view>

#include "view/write/page_writer.h"

namespace torsova::view {
namespace {

constexpr std::string_view kNoValue = "\xE2\x80\x94";  // an em dash

void Cell(const std::optional<std::string>& value, std::string_view after, TextWriter& out,
          std::string_view attributes = {}) {
  out << "<td" << attributes << '>';
  if (value) {
    WriteMarkupText(*value, out);
    out << after;
  } else {
    out << kNoValue;
  }
  out << "</td>";
}

}  // namespace

void WriteMissingLine(const BodyFigure& body, TextWriter& out) {
  const char* separator = "";
  for (const std::string& entry : MissingLandmarks(body)) {
    WriteMarkupText(*separator ? std::string_view(separator) : kMissingHeading, out);
    WriteMarkupText(entry, out);
    separator = ", ";
  }
}

void WriteMeasureRows(const std::array<Measure, kMeasureCount>& measures, TextWriter& out) {
  for (const Measure& measure : measures) {
    out << "<tr data-measure=\"" << measure.id << '"'
        << (measure.warning ? " class=\"marked\"" : "") << "><th scope=\"row\">";
    WriteMarkupText(measure.name, out);
    out << "</th>";
    if (!measure.paired) {
      Cell(measure.value, "", out, " colspan=\"2\"");
      out << "<td></td>";
    } else {
      Cell(measure.right, "", out);
      Cell(measure.left, "", out);
      Cell(measure.difference, " %", out);
    }
    out << "</tr>\n";
    if (measure.warning) {
      out << "<tr class=\"warning\"><td colspan=\"4\">\xE2\x9A\xA0 ";
      WriteMarkupText(measure.name, out);
      out << ": ";
      WriteMarkupText(*measure.warning, out);
      out << "</td></tr>\n";
    }
  }
}

bool SomeMeasureMissing(const std::array<Measure, kMeasureCount>& measures) {
  for (const Measure& measure : measures) {
    if (measure.paired ? !measure.right || !measure.left : !measure.value) return true;
  }
  return false;
}

}  // namespace torsova::view
