// The value of a number field: the characters the field reader collected,
// without enclosing quotes, turned into a double or a single.
//
// A field with a fraction mark (".", "e", "E", "d" or "D" before any "&";
// "d"/"D" count as "e"/"E") goes through decimal conversion, rounded once to
// the kind. Otherwise a field of at most 18 characters, or one beginning with
// "&", is an integer, rounded to the nearest value of the kind, ties to even;
// a longer field is decimal again.
//   "1d3" -> 1000    "&HFF" -> 255    "&17" -> 15    "&b101" -> 5
//   "1&2.5" -> 1     "12abc" -> 12    "&HFFFFFFFFFFFFFFFF" -> -1
#pragma once

#include <cstdint>
#include <string_view>

namespace torsova {

double NumberFieldToDouble(std::string_view field);
float NumberFieldToSingle(std::string_view field);

// The integer a field spells, as a 64-bit signed number: after leading blanks,
// "&H", "&O", "&B" (any case) or a bare "&" (octal) and the digits of that
// radix, taken modulo 2 to the power 64; otherwise optional white space, an
// optional sign and decimal digits. No digits give 0.
//   "007" -> 7    " -12x" -> -12    "&H" -> 0    "&8" -> 0
std::int64_t IntegerFieldValue(std::string_view field);

}  // namespace torsova
