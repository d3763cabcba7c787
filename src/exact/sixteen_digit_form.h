// The sixteen-digit decimal form of a magnitude, from which the mask rounds
// to hundredths.
#pragma once

#include <cstdint>

namespace torsova {

// digits * 10^exponent; digits has 16 decimal digits, or 17 when rounding
// carried to 10^16, and is 0 (exponent 0) for zero.
struct DecimalForm {
  std::uint64_t digits = 0;
  int exponent = 0;
};

// For a finite magnitude m > 0: b = floor(log10(m) - 0.5) exactly, q = m /
// 10^(b-15) in extended precision, q divided by 10 when q >= 10^16, and digits
// = floor(q + 0.5), each step rounded to a 64-bit mantissa.
//   2.675 -> 2675000000000000e-15    1e30 -> 1000000000000000e15
DecimalForm SixteenDigitForm(double magnitude);

// floor(log10(m) - 0.5) for a finite m > 0, exact: the b with
// 10^(2b+1) <= m^2 < 10^(2b+3). A hardware logarithm can land on the other
// side for m within a few parts in 10^17 of 10^(k+0.5); the exact answer
// keeps the digits independent of the machine.
int HalfDecadeOf(double magnitude);

}  // namespace torsova
