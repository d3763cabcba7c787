#include "view/write/study_writer.h"

#include "figure/stroke_list.h"
#include "view/write/page_template.h"
#include "view/write/page_writer.h"

namespace torsova::view {
namespace {

constexpr std::string_view kSideNames[] = {"", "right", "left"};

void WriteNumberList(const std::vector<double>& values, TextWriter& out) {
  out << '[';
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out << ',';
    out.Shortest(values[i]);
  }
  out << ']';
}

template <typename Each>
void WriteList(std::size_t count, TextWriter& out, Each each) {
  out << '[';
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out << ',';
    each(i);
  }
  out << ']';
}

void WriteColumns(const StudyStatistics& statistics, TextWriter& out) {
  WriteList(kStudyColumns, out, [&](std::size_t c) {
    const StudyColumn& column = StudyColumns()[c];
    const ColumnStatistics& stats = statistics.columns[c];
    const MeasureRule& rule = MeasureRules[column.measure];
    out << "{\"id\":";
    WriteJsonString(column.id, out);
    out << ",\"name\":";
    WriteJsonString(column.name, out);
    out << ",\"measure\":";
    WriteJsonString(rule.id, out);
    out << ",\"measureName\":";
    WriteJsonString(rule.name, out);
    out << ",\"side\":";
    WriteJsonString(kSideNames[static_cast<int>(column.side)], out);
    out << ",\"count\":";
    out.Count(stats.count);
    out << ",\"median\":";
    WriteJsonString(stats.median_text, out);
    out << ",\"flags\":" << (stats.flags ? "true" : "false") << '}';
  });
}

// The figure's joins as pairs of body points, from its stroke list.
void WriteSegments(TextWriter& out) {
  out << '[';
  const char* separator = "";
  for (std::size_t k = 1; k < StrokeList.size(); ++k) {
    const StrokePoint& stroke = StrokeList[k];
    if (stroke.kind == CodeKind::kFixed && stroke.code != kJoined) continue;
    out << separator;
    out.Count(BodyPointOf(FigureRowLabel(StrokeList[k - 1].row)));
    out << ',';
    out.Count(BodyPointOf(FigureRowLabel(stroke.row)));
    separator = ",";
  }
  out << ']';
}

void WriteBody(const StudyFigure& figure, const std::vector<CellFlag>& flags, TextWriter& out) {
  out << "{\"path\":";
  WriteJsonString(figure.path, out);
  out << ",\"title\":";
  WriteJsonString(figure.title, out);
  out << ",\"values\":";
  // The values as --measures shows them, which JSON reads as numbers.
  WriteList(kStudyColumns, out, [&](std::size_t c) {
    const std::optional<double> length = ColumnLength(figure.measures, c);
    out << (length ? MeasureText(*length) : "null");
  });
  out << ",\"sides\":[";
  const char* separator = "";
  for (const Measure& measure : figure.measures) {
    if (!measure.paired) continue;
    out << separator;
    separator = ",";
    if (measure.difference) {
      WriteJsonString(*measure.difference, out);
    } else {
      out << "null";
    }
  }
  out << "],\"missing\":[";
  separator = "";
  for (std::size_t i = 0; i < kBodyPoints; ++i) {
    if (!figure.body.missing[i]) continue;
    out << separator;
    WriteJsonString(BodyPointCode(i), out);
    separator = ",";
  }
  out << "],\"at\":";
  std::vector<double> at;
  at.reserve(3 * kBodyPoints);
  for (const Point& point : figure.body.points) at.insert(at.end(), point.begin(), point.end());
  WriteNumberList(at, out);
  out << ",\"flags\":";
  WriteList(flags.size(), out, [&](std::size_t f) {
    const CellFlag& flag = flags[f];
    out << '[';
    out.Count(flag.column);
    out << (flag.side && flag.study ? ",\"side study\"" : flag.side ? ",\"side\"" : ",\"study\"");
    out << (!flag.way ? ",null," : *flag.way == Way::kHigh ? ",\"high\"," : ",\"low\",");
    WriteJsonString(flag.reason, out);
    out << ']';
  });
  out << '}';
}

std::string StudyTitle(const Study& study) {
  const std::size_t given = study.figures.size() + study.left_out.size();
  return "Study of " + std::to_string(given) + (given == 1 ? " figure" : " figures");
}

}  // namespace

void ComputeStatistics(Study& study) {
  std::vector<std::array<Measure, kMeasureCount>> measures;
  measures.reserve(study.figures.size());
  for (const StudyFigure& figure : study.figures) measures.push_back(figure.measures);
  study.statistics = ComputeStudyStatistics(measures);
}

void WriteStudyData(const Study& study, TextWriter& out) {
  const StudyStatistics& statistics = study.statistics;
  out << "{\"given\":";
  out.Count(study.figures.size() + study.left_out.size());
  out << ",\"flagged\":";
  out.Count(statistics.flagged);
  out << ",\"studyFlags\":" << (statistics.study_flags ? "true" : "false");
  out << ",\"least\":";
  out.Count(kLeastForStudyFlags);
  out << ",\"columns\":";
  WriteColumns(statistics, out);
  out << ",\"points\":";
  WriteList(kBodyPoints, out, [&](std::size_t i) { WriteJsonString(BodyPointCode(i), out); });
  out << ",\"pointNames\":";
  WriteList(kBodyPoints, out, [&](std::size_t i) { WriteJsonString(BodyPointName(i), out); });
  out << ",\"approximate\":";
  WriteList(kBodyPoints, out, [&](std::size_t i) {
    if (!Approximate(i, 0) && !Approximate(i, 1) && !Approximate(i, 2)) {
      out << "null";
      return;
    }
    WriteList(3, out, [&](std::size_t k) { out << (Approximate(i, k) ? "true" : "false"); });
  });
  out << ",\"sacrum\":";
  out.Count(kSacrum);
  out << ",\"segments\":";
  WriteSegments(out);
  out << ",\"bodies\":[";
  for (std::size_t b = 0; b < study.figures.size(); ++b) {
    // One body a line keeps the data readable in a text editor.
    out << (b > 0 ? ",\n" : "\n");
    WriteBody(study.figures[b], statistics.flags[b], out);
  }
  out << "],\"leftOut\":";
  WriteList(study.left_out.size(), out, [&](std::size_t i) {
    out << "{\"path\":";
    WriteJsonString(study.left_out[i].path, out);
    out << ",\"reason\":";
    WriteJsonString(study.left_out[i].reason, out);
    out << '}';
  });
  out << '}';
}

void WriteStudyPage(const Study& study, const EmbeddedPage& page, TextWriter& out) {
  FillTemplate(page.page_template,
               {
                   {"@SCRIPT_HASH@", [&](TextWriter& o) { o << page.script_hash; }},
                   {"@STYLE_HASH@", [&](TextWriter& o) { o << page.style_hash; }},
                   {"@TITLE@", [&](TextWriter& o) { WriteMarkupText(StudyTitle(study), o); }},
                   {"@STYLE@", [&](TextWriter& o) { o << page.style; }},
                   {"@DATA@", [&](TextWriter& o) { WriteStudyData(study, o); }},
                   {"@SCRIPT@", [&](TextWriter& o) { o << page.script; }},
               },
               out);
}

}  // namespace torsova::view
