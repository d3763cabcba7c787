#include "view/figure/point_line.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "textio/decimal_conversion.h"

namespace torsova::view {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view text, std::string_view lower_word) {
  if (text.size() != lower_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Lower(text[i]) != lower_word[i]) return false;
  }
  return true;
}

// The texts the renderings give infinity and not-a-number: "INF", " inf",
// "NAN", "-nan(ind)" and the like, without their sign.
bool IsNonFiniteWord(std::string_view word) {
  if (EqualsIgnoringCase(word, "inf") || EqualsIgnoringCase(word, "infinity") ||
      EqualsIgnoringCase(word, "nan")) {
    return true;
  }
  return word.size() > 4 && EqualsIgnoringCase(word.substr(0, 4), "nan(") && word.back() == ')';
}

}  // namespace

std::size_t SplitItems(std::string_view line, std::string_view* items, std::size_t room) {
  std::size_t count = 0;
  std::size_t i = 0;
  const std::size_t n = line.size();
  for (;;) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) return count;
    const std::size_t start = i;
    while (i < n && !IsBlank(line[i])) ++i;
    if (i - start == 1 && line[start] == '%') {
      while (i < n && IsBlank(line[i])) ++i;
      while (i < n && !IsBlank(line[i])) ++i;
    }
    if (count < room) items[count] = line.substr(start, i - start);
    ++count;
  }
}

NumberReading ReadNumber(std::string_view item, double& value) {
  if (!item.empty() && item.front() == '%') {
    item.remove_prefix(1);
    while (!item.empty() && IsBlank(item.front())) item.remove_prefix(1);
  }
  // An exponent too wide for the mask has a percent sign before its digits.
  std::string unmarked;
  std::size_t mark = 0;
  while (mark < item.size() && item[mark] != 'e' && item[mark] != 'E') ++mark;
  if (mark + 2 < item.size() && (item[mark + 1] == '+' || item[mark + 1] == '-') &&
      item[mark + 2] == '%') {
    unmarked.assign(item);
    unmarked.erase(mark + 2, 1);
    item = unmarked;
  }

  std::string_view unsigned_part = item;
  if (!unsigned_part.empty() && (unsigned_part.front() == '-' || unsigned_part.front() == '+')) {
    unsigned_part.remove_prefix(1);
  }
  if (IsNonFiniteWord(unsigned_part)) return NumberReading::kNotFinite;
  if (unsigned_part.empty() || !(IsDigit(unsigned_part.front()) || unsigned_part.front() == '.')) {
    return NumberReading::kNotNumber;
  }
  // The number reading also takes hexadecimal; no rendering writes it.
  if (unsigned_part.size() > 1 && Lower(unsigned_part[1]) == 'x') return NumberReading::kNotNumber;
  std::size_t length = 0;
  value = DecimalToDouble(item, length);
  if (length != item.size()) return NumberReading::kNotNumber;
  return std::isfinite(value) ? NumberReading::kNumber : NumberReading::kNotFinite;
}

PointLineFault ReadPointLine(std::string_view line, PointLine& result) {
  std::string_view items[5];
  if (SplitItems(line, items, 5) != 4) return PointLineFault::kNotPointLine;
  PointLineFault fault = PointLineFault::kNone;
  for (std::size_t k = 0; k < 3; ++k) {
    switch (ReadNumber(items[k], result.point[k])) {
      case NumberReading::kNotNumber:
        return PointLineFault::kNotPointLine;
      case NumberReading::kNotFinite:
        fault = PointLineFault::kNotFinite;
        break;
      case NumberReading::kNumber:
        break;
    }
  }
  double code = 0;
  const NumberReading code_reading = ReadNumber(items[3], code);
  if (code_reading == NumberReading::kNotNumber) return PointLineFault::kNotPointLine;
  if (fault != PointLineFault::kNone) return fault;
  if (code_reading == NumberReading::kNotFinite) return PointLineFault::kUnknownCode;
  if (code == -7) {
    result.code = PointCode::kCircle;
  } else if (code == 0) {
    result.code = PointCode::kNewStroke;
  } else if (code == 7) {
    result.code = PointCode::kJoined;
  } else {
    return PointLineFault::kUnknownCode;
  }
  return PointLineFault::kNone;
}

}  // namespace torsova::view
