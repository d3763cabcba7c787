// The value of the decimal number a text begins with, rounded once, directly
// to the kind asked for, ties to even, whatever the locale.
//
// The longest beginning that spells a number is taken: optional white space,
// an optional sign, digits with an optional "." and fraction digits (at least
// one digit), then an optional exponent "e"/"E", sign, digits. Also "inf",
// "infinity", "nan" (any letter case) and hexadecimal "0x" constants with an
// optional point and "p" exponent. Nothing that spells a number gives 0; a
// value too large for the kind gives infinity of its sign.
//   "12.5abc" -> 12.5    "-.5" -> -0.5    "1.5.2" -> 1.5    "1e400" -> inf
//   "0x1.8p1" -> 3       "abc" -> 0       "1e" -> 1
#pragma once

#include <cstddef>
#include <string_view>

namespace torsova {

double DecimalToDouble(std::string_view text);
float DecimalToSingle(std::string_view text);

// As DecimalToDouble, and `length` is set to the number of characters the
// number took, white space and sign included; 0 when nothing spells a number.
// A text is wholly a number when `length` equals its size.
//   "12.5abc" -> 12.5, 4    " -1e3" -> -1000, 5    "1e+" -> 1, 1    "abc" -> 0, 0
double DecimalToDouble(std::string_view text, std::size_t& length);

}  // namespace torsova
