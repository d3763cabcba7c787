#include "exact/sixteen_digit_form.h"

#include <cmath>

#include "exact/big_unsigned.h"
#include "exact/extended_precision.h"

namespace torsova {
namespace {

// Whether m^2 >= 10^(2k+1), i.e. m >= 10^(k+0.5), decided with integers.
bool AtLeastHalfDecade(double magnitude, int k) {
  const Extended m = ExtendedFromDouble(magnitude);
  // m^2 = mantissa^2 * 2^(2 exponent) against 10^j = 5^j * 2^j.
  const int j = 2 * k + 1;
  BigUnsigned square(m.mantissa);
  square.MultiplyBy(BigUnsigned(m.mantissa));
  BigUnsigned power = BigUnsigned::PowerOfFive(j >= 0 ? j : 0);
  if (j < 0) square.MultiplyBy(BigUnsigned::PowerOfFive(-j));
  const int shift = 2 * m.exponent - j;
  if (shift >= 0) {
    square.ShiftLeft(shift);
  } else {
    power.ShiftLeft(-shift);
  }
  return Compare(square, power) >= 0;
}

}  // namespace

int HalfDecadeOf(double magnitude) {
  // log10 is only a guess: far from a boundary any sane library is right; near
  // one (10^(k+0.5) is irrational, so never met exactly) integers decide.
  const double guess = std::log10(magnitude) - 0.5;
  const double nearest = std::floor(guess + 0.5);
  if (std::fabs(guess - nearest) > 1e-7) return static_cast<int>(std::floor(guess));
  const int k = static_cast<int>(nearest);
  return AtLeastHalfDecade(magnitude, k) ? k : k - 1;
}

DecimalForm SixteenDigitForm(double magnitude) {
  if (magnitude == 0.0) return {};
  constexpr std::uint64_t kTenToThe16 = 10'000'000'000'000'000;
  const Extended kTen{std::uint64_t{10} << 60, -60};
  const Extended kHalf{std::uint64_t{1} << 63, -64};

  const int b = HalfDecadeOf(magnitude);
  Extended q = Divide(ExtendedFromDouble(magnitude), PowerOfTen(b - 15));
  int exponent = b - 15;
  if (Floor(q) >= kTenToThe16) {
    q = Divide(q, kTen);
    exponent = b - 14;
  }
  return {Floor(Add(q, kHalf)), exponent};
}

}  // namespace torsova
