#include "view/write/measures_writer.h"

#include <array>

namespace torsova::view {

void WriteCsvField(std::string_view text, TextWriter& out) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out << text;
    return;
  }
  out << '"';
  for (char c : text) {
    if (c == '"') out << '"';
    out << c;
  }
  out << '"';
}

void WriteMeasuresHeader(TextWriter& out) {
  out << "figure,title";
  // The names come from the measures themselves, so the columns cannot drift.
  for (const Measure& measure : MeasureBody(BodyFigure{})) {
    if (measure.paired) {
      out << ',' << measure.id << "_right," << measure.id << "_left";
    } else {
      out << ',' << measure.id;
    }
  }
  out << ",missing\n";
}

void WriteMeasuresRow(std::string_view path, const Figure& figure, const BodyFigure& body,
                      TextWriter& out) {
  WriteCsvField(path, out);
  out << ',';
  WriteCsvField(figure.title, out);
  for (const Measure& measure : MeasureBody(body)) {
    if (measure.paired) {
      out << ',' << measure.right.value_or("") << ',' << measure.left.value_or("");
    } else {
      out << ',' << measure.value.value_or("");
    }
  }
  out << ',';
  const char* separator = "";
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (body.missing[i]) out << separator << BodyPointCode(i), separator = " ";
  }
  out << '\n';
}

}  // namespace torsova::view
