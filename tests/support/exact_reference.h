// Slow, exact reference renderings for the property tests, written apart from
// the program's own code: exact decimal expansions and rational rounding on a
// plain big integer, decimal rounding on digit strings.
#pragma once

#include <cstdint>
#include <string>

namespace torsova::testing {

// The general form with `precision` significant digits behind the sign
// position, from the exact decimal expansion of the value (finite values).
std::string ReferenceGeneralForm(double value, int precision);

// The sixteen-digit form of a finite magnitude > 0: digits * 10^exponent.
struct ReferenceDecimal {
  std::uint64_t digits = 0;
  int exponent = 0;
};
ReferenceDecimal ReferenceSixteenDigitForm(double magnitude);

// floor(log10(m) - 0.5) for a finite m > 0, by exact comparison of m^2 with
// odd powers of ten.
int ReferenceHalfDecade(double magnitude);

// 10^n rounded once to a 64-bit mantissa: mantissa * 2^exponent.
void ReferencePowerOfTen(int n, std::uint64_t& mantissa, int& exponent);

// The mask rendering of a finite value, built on ReferenceSixteenDigitForm.
std::string ReferenceMaskNumber(double value);

// The exact decimal digits of a finite magnitude > 0 (no leading or trailing
// zeros) and the power of ten of the first one.
std::string ExactDecimalDigits(double magnitude, int& exponent);

}  // namespace torsova::testing
