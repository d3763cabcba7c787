#include "exact/sixteen_digit_form.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>

#include "support/exact_reference.h"
#include "exact/extended_precision.h"

namespace torsova {
namespace {

TEST(SixteenDigitFormTest, DecimalTiesOfTheBinaryValueEndInAnExactFive) {
  struct Case {
    double value;
    std::uint64_t digits;
    int exponent;
  };
  const Case cases[] = {
      {2.675, 2675000000000000, -15}, {1.005, 1005000000000000, -15},
      {0.015, 1500000000000000, -17}, {99.995, 9999500000000000, -14},
      {1e30, 1000000000000000, 15},   {1.0, 1000000000000000, -15},
      {3.0, 3000000000000000, -15},   {3.2, 3200000000000000, -15},  // either side of 10^0.5
  };
  for (const Case& c : cases) {
    const DecimalForm form = SixteenDigitForm(c.value);
    EXPECT_EQ(form.digits, c.digits) << c.value;
    EXPECT_EQ(form.exponent, c.exponent) << c.value;
  }
}

TEST(ExtendedPrecisionTest, PowersOfTenAreRoundedOnce) {
  for (int n = kMinPowerOfTen; n <= kMaxPowerOfTen; ++n) {
    std::uint64_t mantissa = 0;
    int exponent = 0;
    testing::ReferencePowerOfTen(n, mantissa, exponent);
    const Extended power = PowerOfTen(n);
    EXPECT_EQ(power.mantissa, mantissa) << "10^" << n;
    EXPECT_EQ(power.exponent, exponent) << "10^" << n;
  }
}

// Around every 10^(k+0.5) the order of magnitude flips; the doubles next to
// it must land on the exact side.
TEST(SixteenDigitFormTest, HalfDecadeBoundariesAreExact) {
  int flips = 0;  // windows that do contain a boundary
  for (int k = -323; k <= 307; ++k) {
    // 10^k from the exact reference: the system's pow is not correctly
    // rounded everywhere (mingw-w64's misses by many units at large |k|).
    std::uint64_t mantissa = 0;
    int exponent = 0;
    testing::ReferencePowerOfTen(k, mantissa, exponent);
    const double near = std::sqrt(10.0) * std::ldexp(static_cast<double>(mantissa), exponent);
    double value = near;
    for (int step = 0; step < 3; ++step) value = std::nextafter(value, 0.0);
    const int first = HalfDecadeOf(value);
    bool flipped = false;
    for (int step = 0; step < 7; ++step, value = std::nextafter(value, HUGE_VAL)) {
      ASSERT_EQ(HalfDecadeOf(value), testing::ReferenceHalfDecade(value)) << value;
      flipped = flipped || HalfDecadeOf(value) != first;
      const DecimalForm form = SixteenDigitForm(value);
      const testing::ReferenceDecimal expected = testing::ReferenceSixteenDigitForm(value);
      ASSERT_EQ(form.digits, expected.digits) << value;
      ASSERT_EQ(form.exponent, expected.exponent) << value;
    }
    flips += flipped;
  }
  EXPECT_GT(flips, 600);
}

#if LDBL_MANT_DIG == 64
// On an x87 unit in extended precision long double is exactly the arithmetic
// that Extended emulates; compare bit for bit.
bool NativeExtendedPrecision() {
  volatile long double one = 1.0L;
  volatile long double tiny = LDBL_EPSILON;
  return one + tiny != one;
}

long double Native(Extended x) {
  return std::ldexp(static_cast<long double>(x.mantissa), x.exponent);
}

TEST(ExtendedPrecisionTest, DivideAndAddMatchTheX87Unit) {
  if (!NativeExtendedPrecision()) GTEST_SKIP() << "long double runs at reduced precision";
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 200000; ++i) {
    const Extended a{random() | (std::uint64_t{1} << 63), static_cast<int>(random() % 200) - 100};
    Extended b{random() | (std::uint64_t{1} << 63), static_cast<int>(random() % 200) - 100};
    if (i % 4 == 0) b.mantissa &= ~std::uint64_t{0} << (random() % 64);  // short mantissas, ties
    const long double quotient = Native(a) / Native(b);
    const long double sum = Native(a) + Native(b);
    ASSERT_EQ(Native(Divide(a, b)), quotient) << i;
    ASSERT_EQ(Native(Add(a, b)), sum) << i;
  }
}

// Where 10^(b-15) is exact in 64 bits, the x87 sequence is the plain one.
TEST(SixteenDigitFormTest, MatchesTheX87UnitWherePowersAreExact) {
  if (!NativeExtendedPrecision()) GTEST_SKIP() << "long double runs at reduced precision";
  std::mt19937_64 random(77);
  std::uniform_real_distribution<double> decades(-12.0, 42.0);
  for (int i = 0; i < 200000; ++i) {
    double value = std::pow(10.0, decades(random));
    if (i % 2 == 0) value = std::round(value * 1000.0) / 1000.0;  // decimal values, ties
    if (value == 0.0) continue;
    const long double m = value;
    const int b = static_cast<int>(std::floor(std::log10(m) - 0.5L));
    const int n = b - 15;
    if (n < -27 || n > 27) continue;
    long double power = 1.0L;
    for (int j = 0; j < std::abs(n); ++j) power *= 10.0L;
    long double q = n >= 0 ? m / power : m / (1.0L / power);
    int exponent = n;
    if (q >= 1e16L) {
      q /= 10.0L;
      ++exponent;
    }
    const long double digits = std::floor(q + 0.5L);
    const DecimalForm form = SixteenDigitForm(value);
    ASSERT_EQ(form.digits, static_cast<std::uint64_t>(digits)) << value;
    ASSERT_EQ(form.exponent, exponent) << value;
  }
}
#endif

}  // namespace
}  // namespace torsova
