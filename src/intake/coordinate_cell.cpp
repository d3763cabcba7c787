#include "intake/coordinate_cell.h"

#include <charconv>
#include <cmath>
#include <string>

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
  // from_chars rounds to the nearest double, as the field reader does.
  double value = 0;
  std::from_chars(plain_decimal.data(), plain_decimal.data() + plain_decimal.size(), value);
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
