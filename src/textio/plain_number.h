// How an integer, a single and a double become characters in every table,
// the figure file and on the console. The texts are fixed byte for byte and do
// not depend on the locale, the C library or the compiler.
#pragma once

#include <cstdint>
#include <string>

namespace torsova {

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

}  // namespace torsova
