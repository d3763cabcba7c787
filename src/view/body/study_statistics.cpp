#include "view/body/study_statistics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace torsova::view {
namespace {

constexpr double kScoreScale = 0.6745;  // makes the MAD of a normal sample its standard deviation

std::string Fixed(double value, int decimals) {
  char text[400];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  return std::string(text, end);
}

// A value and the study's median as texts that differ: with `decimals`, or
// with more when those would read alike.
std::pair<std::string, std::string> Apart(double value, double median, int decimals) {
  std::pair<std::string, std::string> texts;
  do {
    texts = {Fixed(value, decimals), Fixed(median, decimals)};
  } while (texts.first == texts.second && ++decimals <= 6);
  return texts;
}

std::array<StudyColumn, kStudyColumns> MakeColumns() {
  std::array<StudyColumn, kStudyColumns> columns;
  std::size_t at = 0;
  for (std::size_t m = 0; m < kMeasureCount; ++m) {
    const MeasureRule& rule = MeasureRules[m];
    const std::string id(rule.id), name(rule.name);
    if (!rule.Paired()) {
      columns[at++] = {m, Side::kSingle, id, name};
    } else {
      columns[at++] = {m, Side::kRight, id + "_right", "right " + name};
      columns[at++] = {m, Side::kLeft, id + "_left", "left " + name};
    }
  }
  return columns;
}

CellFlag& FlagOf(std::vector<CellFlag>& flags, std::size_t column) {
  for (CellFlag& flag : flags) {
    if (flag.column == column) return flag;
  }
  CellFlag& flag = flags.emplace_back();
  flag.column = column;
  return flag;
}

void AddReason(CellFlag& flag, const std::string& reason) {
  flag.reason += (flag.reason.empty() ? "" : "; ") + reason;
}

}  // namespace

const std::array<StudyColumn, kStudyColumns>& StudyColumns() {
  static const std::array<StudyColumn, kStudyColumns> columns = MakeColumns();
  return columns;
}

std::optional<double> ColumnLength(const std::array<Measure, kMeasureCount>& measures,
                                   std::size_t column) {
  const StudyColumn& c = StudyColumns()[column];
  const Measure& measure = measures[c.measure];
  switch (c.side) {
    case Side::kSingle:
      return measure.length;
    case Side::kRight:
      return measure.right_length;
    case Side::kLeft:
      return measure.left_length;
  }
  return std::nullopt;
}

std::optional<double> Median(std::vector<double>& values) {
  if (values.empty()) return std::nullopt;
  std::sort(values.begin(), values.end());
  const std::size_t half = values.size() / 2;
  return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

StudyStatistics ComputeStudyStatistics(
    const std::vector<std::array<Measure, kMeasureCount>>& bodies) {
  StudyStatistics study;
  study.study_flags = bodies.size() >= kLeastForStudyFlags;
  study.flags.resize(bodies.size());
  const auto& columns = StudyColumns();

  // The side differences each body's measures mark, on both cells of the pair.
  for (std::size_t b = 0; b < bodies.size(); ++b) {
    for (std::size_t c = 0; c < kStudyColumns; ++c) {
      const Measure& measure = bodies[b][columns[c].measure];
      if (columns[c].side == Side::kSingle || !measure.warning) continue;
      CellFlag& flag = FlagOf(study.flags[b], c);
      flag.side = true;
      AddReason(flag, *measure.warning);
    }
  }

  for (std::size_t c = 0; c < kStudyColumns; ++c) {
    const bool is_height = c == 0;
    // Each body's value in this column: the height itself, or the ratio to a
    // height above 0 (a body standing on its head has no ratios).
    std::vector<std::optional<double>> value(bodies.size());
    std::vector<double> values;
    for (std::size_t b = 0; b < bodies.size(); ++b) {
      const std::optional<double> height = bodies[b][0].length;
      const std::optional<double> length = ColumnLength(bodies[b], c);
      if (!length || !height || (!is_height && !(*height > 0))) continue;
      value[b] = is_height ? *length : *length / *height;
      values.push_back(*value[b]);
    }
    ColumnStatistics& stats = study.columns[c];
    stats.count = values.size();
    stats.median = Median(values);
    if (!stats.median) continue;
    for (double& v : values) v = std::fabs(v - *stats.median);
    stats.mad = Median(values);
    stats.median_text =
        is_height ? MeasureText(*stats.median) : Fixed(*stats.median * 100, 0) + " % of height";
    stats.flags = study.study_flags && stats.count >= kLeastForStudyFlags && *stats.mad > 0;
    if (!stats.flags) continue;

    for (std::size_t b = 0; b < bodies.size(); ++b) {
      if (!value[b]) continue;
      const double score = kScoreScale * (*value[b] - *stats.median) / *stats.mad;
      if (!(std::fabs(score) > kStudyFlagScore)) continue;
      CellFlag& flag = FlagOf(study.flags[b], c);
      flag.study = true;
      flag.way = score > 0 ? Way::kHigh : Way::kLow;
      const auto [shown, median] = is_height ? Apart(*value[b], *stats.median, 2)
                                             : Apart(*value[b] * 100, *stats.median * 100, 0);
      AddReason(flag, is_height
                          ? columns[c].name + " " + shown + ", the study's median " + median +
                                ": check the form"
                          : columns[c].name + " " + shown + " % of height, the study's median " +
                                median + " %: check the form");
    }
  }

  for (std::vector<CellFlag>& flags : study.flags) {
    std::sort(flags.begin(), flags.end(),
              [](const CellFlag& a, const CellFlag& b) { return a.column < b.column; });
    if (!flags.empty()) ++study.flagged;
  }
  return study;
}

}  // namespace torsova::view
