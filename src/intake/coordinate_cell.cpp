#include "intake/coordinate_cell.h"

#include <cmath>
#include <string>

#include "textio/mask_number.h"
#include "textio/number_field.h"

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

namespace {

// The digits before the point of a plain decimal, leading zeros left out.
//   "-007.5" -> 1    "0.25" -> 0    "123456789" -> 9
std::size_t SignificantIntegerDigits(std::string_view cell) {
  std::size_t digits = 0;
  for (char c : cell) {
    if (c == '.') break;
    if (c >= '1' && c <= '9')
      ++digits;
    else if (c == '0' && digits > 0)
      ++digits;
  }
  return digits;
}

}  // namespace

bool MaskCanHold(double value) {
  // The mask marks a value it cannot hold with a leading percent sign and a
  // longer field; asking it keeps this test and the tables in step.
  if (!std::isfinite(value)) return false;
  // Nine integer digits fit whatever the sign and the rounding: the common
  // case needs no rendering.
  if (std::fabs(value) < 999999999.0) return true;
  const std::string masked = MaskNumber(value);
  return masked.size() == 15 && masked.find('%') == std::string::npos;
}

CoordinateCellFault CheckCoordinateCell(std::string_view cell) {
  if (cell.empty()) return CoordinateCellFault::kBlank;
  if (!IsPlainDecimal(cell)) return CoordinateCellFault::kNotANumber;
  // Up to the longest number field these are the characters the number reader
  // collects for this cell, so the value is the one the table build reads; a
  // longer cell is valued whole, as the user wrote it. Eight integer digits
  // fit whatever the rounding, and most cells need no value at all.
  if (SignificantIntegerDigits(cell) > 8 && !MaskCanHold(NumberFieldToDouble(cell))) {
    return CoordinateCellFault::kTooLarge;
  }
  if (cell.size() > kLongestCoordinateCell) return CoordinateCellFault::kNotANumber;
  return CoordinateCellFault::kNone;
}

}  // namespace torsova
