// What the cell check accepts as a coordinate: a cell that later stages read
// back as exactly the number it shows, and that the working tables can hold.
#pragma once

#include <cstddef>
#include <string_view>

namespace torsova {

// The longest number field the readers take; a longer cell would be read back
// as two numbers.
inline constexpr std::size_t kLongestCoordinateCell = 67;

enum class CoordinateCellFault { kNone, kBlank, kNotANumber, kTooLarge };

// The first fault of a coordinate cell, tested in this order: blank; not a
// plain decimal number; a value the table mask cannot hold; longer than
// kLongestCoordinateCell characters (not a number either). A long cell that
// is a plain number too large for the mask is thus too large, not a non-number.
//   "" -> kBlank    "+1.5", "1/2", "--5", "12 " -> kNotANumber
//   "12345678901", 70 digits -> kTooLarge    "-3.25" -> kNone
//   "0." followed by 97 zeros and a 1 -> kNotANumber
CoordinateCellFault CheckCoordinateCell(std::string_view cell);

// An optional leading "-", then digits with at most one ".", at least one
// digit in all: "12", "-3.25", ".5", "-.5" and "5." pass; "-", ".", "1.2.3",
// "+5", "1E3" and "1 " do not.
bool IsPlainDecimal(std::string_view cell);

// True when the mask " ##########.## " writes `value` within its 15 characters:
// after rounding to hundredths at most 10 integer digits, 9 for a negative
// value. Infinity and not-a-number never fit.
//   9999999999.994 -> yes    9999999999.995 -> no
//   -999999999.994 -> yes    -1234567890 -> no
bool MaskCanHold(double value);

}  // namespace torsova
