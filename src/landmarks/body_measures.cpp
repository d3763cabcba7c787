#include "landmarks/body_measures.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "textio/decimal_conversion.h"

namespace torsova {
namespace {

// `value` with `decimals` decimals, without the minus of a value that shows as zero.
std::string Decimals(double value, int decimals) {
  char text[400];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
  std::string digits(text, end);
  if (digits.front() == '-' && digits.find_first_not_of("-0.") == std::string::npos) {
    digits.erase(0, 1);
  }
  return digits;
}

std::optional<double> Height(const BodyPoints& body) {
  std::optional<double> lowest;
  for (std::string_view foot : HeightBase) {
    const std::size_t point = BodyPointOf(foot);
    if (body.missing[point]) continue;
    lowest = std::min(lowest.value_or(body.at[point][2]), body.at[point][2]);
  }
  if (!lowest || body.missing[0]) return std::nullopt;
  return body.at[0][2] - *lowest;
}

std::optional<std::string> Shown(const std::optional<double>& length) {
  if (!length) return std::nullopt;
  return MeasureText(*length);
}

void CompareSides(double right, double left, Measure& measure) {
  const double mean = (right + left) / 2;
  const double percent = mean == 0 ? 0 : (right - left) / mean * 100;
  std::string text = Decimals(percent, 1);
  const double shown = std::fabs(DecimalToDouble(text));
  if (shown != 0 && text.front() != '-') text.insert(0, "+");
  measure.difference = text;
  if (shown > kMarkedDifference) {
    measure.warning =
        "the sides differ by " + Decimals(std::fabs(percent), 0) + " %: check the form";
  }
}

}  // namespace

std::string MeasureText(double length) { return Decimals(length, 2); }

std::optional<double> SpanLength(const BodyPoints& body, const Span& span) {
  const std::size_t from = BodyPointOf(span.from), to = BodyPointOf(span.to);
  if (body.missing[from] || body.missing[to]) return std::nullopt;
  double sum = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const double d = body.at[to][k] - body.at[from][k];
    sum += d * d;
  }
  return std::sqrt(sum);
}

std::array<Measure, kMeasureCount> MeasureBody(const BodyPoints& body) {
  std::array<Measure, kMeasureCount> measures;
  for (std::size_t i = 0; i < kMeasureCount; ++i) {
    const MeasureRule& rule = MeasureRules[i];
    Measure& measure = measures[i];
    measure.rule = &rule;
    measure.id = rule.id;
    measure.name = rule.name;
    measure.paired = rule.Paired();
    if (rule.right.from.empty()) {
      measure.length = Height(body);
      measure.value = Shown(measure.length);
    } else if (!measure.paired) {
      measure.length = SpanLength(body, rule.right);
      measure.value = Shown(measure.length);
    } else {
      measure.right_length = SpanLength(body, rule.right);
      measure.left_length = SpanLength(body, rule.left);
      measure.right = Shown(measure.right_length);
      measure.left = Shown(measure.left_length);
      if (measure.right_length && measure.left_length) {
        CompareSides(*measure.right_length, *measure.left_length, measure);
      }
    }
  }
  return measures;
}

}  // namespace torsova
