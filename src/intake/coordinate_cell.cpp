#include "intake/coordinate_cell.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "textio/renderings.h"

namespace torsova {

bool IsPlainDecimal(std::string_view cell) {
  if (!cell.empty() && cell.front() == '-') cell.remove_prefix(1);
  bool seen_point = false;
  bool seen_digit = false;
  for (char c : cell) {
    if (c >= '0' && c <= '9') {
      seen_digit = true;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      return false;
    }
  }
  return seen_digit;
}

double CoordinateValue(std::string_view plain_decimal) {
  // from_chars rounds to the nearest double, as the field reader does. It
  // leaves the value alone when the text is beyond the double range, which
  // only a cell longer than any number field can be.
  double value = 0;
  const std::from_chars_result result =
      std::from_chars(plain_decimal.data(), plain_decimal.data() + plain_decimal.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    const bool negative = plain_decimal.front() == '-';
    const bool whole_part = plain_decimal.find_first_of("123456789") < plain_decimal.find('.');
    value = whole_part ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) value = -value;
  }
  return value;
}

bool MaskCanHold(double value) {
  // The mask marks a value it cannot hold with a leading percent sign and a
  // longer field; asking it keeps this test and the tables in step.
  if (!std::isfinite(value)) return false;
  const std::string masked = MaskNumber(value);
  return masked.size() == 15 && masked.find('%') == std::string::npos;
}

CoordinateCellFault CheckCoordinateCell(std::string_view cell) {
  if (cell.empty()) return CoordinateCellFault::kBlank;
  if (cell.size() > kLongestCoordinateCell || !IsPlainDecimal(cell)) {
    return CoordinateCellFault::kNotANumber;
  }
  if (!MaskCanHold(CoordinateValue(cell))) return CoordinateCellFault::kTooLarge;
  return CoordinateCellFault::kNone;
}

}  // namespace torsova
