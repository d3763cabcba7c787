// How a value becomes characters in every table, the figure file and on the
// console. The texts are fixed byte for byte and do not depend on the locale,
// the C library or the compiler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torsova {

// The line end of every line the program writes: carriage return, line feed.
inline constexpr std::string_view kLineEnd = "\r\n";

// Sign position, decimal digits, one space ("% hd ").
//   1 -> " 1 "    -7 -> "-7 "    0 -> " 0 "
std::string PlainInteger(std::int16_t value);

// Sign position and the general form with 7 significant digits of the exact
// binary value, exact ties away from zero, exponent with at least three
// digits; nothing after it. Negative zero keeps its sign; infinity and
// not-a-number read " inf", "-inf", " nan" and "-nan(ind)".
//   100 -> " 100"    -3.5 -> "-3.5"    0.00001 -> " 1e-005"    12345678 -> " 1.234568e+007"
//   1048576.5 -> " 1048577"    -0.0 -> "-0"
std::string PlainSingle(float value);

// As PlainSingle with 16 significant digits.
//   10.25 -> " 10.25"    -7.5 -> "-7.5"    0.1 -> " 0.1"    1e16 -> " 1e+016"
std::string PlainDouble(double value);

// The value through the mask " ##########.## ": 15 characters while it fits,
// longer behind a percent sign when it does not. Hundredths are rounded half
// up on the sixteen-digit decimal form, not on the binary value.
//   12.5 -> "         12.50 "    2.675 -> "          2.68 "    -0.001 -> "         -0.00 "
//   -1234567890 -> " %-1234567890.00 "    1e30 -> " % 100000000.00E+%22 "
std::string MaskNumber(double value);

}  // namespace torsova
