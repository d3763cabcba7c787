// The renderings against the slow exact references, over many values: random
// bit patterns across every magnitude, short decimals, and constructed exact
// ties, where rounding rules differ.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "support/exact_reference.h"
#include "textio/mask_number.h"
#include "textio/plain_number.h"

namespace torsova {
namespace {

// Unoptimised builds (the sanitizer job) check a tenth as many values.
#ifdef NDEBUG
constexpr int kScale = 10;
#else
constexpr int kScale = 1;
#endif

double RandomBits(std::mt19937_64& random) {
  for (;;) {
    const std::uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) return value;
  }
}

float RandomSingleBits(std::mt19937_64& random) {
  for (;;) {
    const std::uint32_t bits = static_cast<std::uint32_t>(random());
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) return value;
  }
}

// The double nearest to a decimal with up to 16 digits and `decimals` places.
double ShortDecimal(std::mt19937_64& random, int max_digits, int decimals) {
  std::uint64_t limit = 1;
  for (int i = 1 + static_cast<int>(random() % static_cast<std::uint64_t>(max_digits)); i > 0;
       --i) {
    limit *= 10;
  }
  const double whole = static_cast<double>(random() % limit);
  const double value = whole / std::pow(10.0, decimals);  // one rounding: both are exact
  return random() % 2 ? -value : value;
}

// A value exactly halfway between two `precision`-digit decimals: o / 2^j with
// o odd and o * 5^j a (precision+1)-digit integer ending in 5.
double ExactTie(std::mt19937_64& random, int precision, int mantissa_bits) {
  std::uint64_t low_limit = 1;
  for (int i = 0; i < precision; ++i) low_limit *= 10;
  for (;;) {
    const int j = static_cast<int>(random() % 25);
    std::uint64_t five = 1;
    for (int i = 0; i < j; ++i) five *= 5;
    const std::uint64_t low = (low_limit + five - 1) / five;
    std::uint64_t high = (low_limit * 10 - 1) / five;
    if (high >= (std::uint64_t{1} << mantissa_bits)) high = (std::uint64_t{1} << mantissa_bits) - 1;
    if (low > high) continue;
    const std::uint64_t odd = low + random() % (high - low + 1);
    if (j == 0 ? odd % 10 != 5 : odd % 2 == 0) continue;
    const double value = std::ldexp(static_cast<double>(odd), -j);
    return random() % 2 ? -value : value;
  }
}

bool IsTie(double value, int precision) {
  int exponent = 0;
  const std::string digits = testing::ExactDecimalDigits(std::fabs(value), exponent);
  return static_cast<int>(digits.size()) == precision + 1 && digits.back() == '5';
}

TEST(RenderingPropertyTest, PlainDoubleMatchesExactRounding) {
  std::mt19937_64 random(1);
  for (int i = 0; i < 30000 * kScale; ++i) {
    const double value = RandomBits(random);
    ASSERT_EQ(PlainDouble(value), testing::ReferenceGeneralForm(value, 16)) << value;
  }
  for (int i = 0; i < 30000 * kScale; ++i) {
    const double value = ShortDecimal(random, 17, static_cast<int>(random() % 20));
    ASSERT_EQ(PlainDouble(value), testing::ReferenceGeneralForm(value, 16)) << value;
  }
  for (int i = 0; i < 10000 * kScale; ++i) {
    const double value = ExactTie(random, 16, 53);
    ASSERT_TRUE(IsTie(value, 16)) << value;
    ASSERT_EQ(PlainDouble(value), testing::ReferenceGeneralForm(value, 16)) << value;
  }
}

TEST(RenderingPropertyTest, PlainSingleMatchesExactRounding) {
  std::mt19937_64 random(2);
  for (int i = 0; i < 30000 * kScale; ++i) {
    const float value = RandomSingleBits(random);
    ASSERT_EQ(PlainSingle(value), testing::ReferenceGeneralForm(value, 7)) << value;
  }
  for (int i = 0; i < 10000 * kScale; ++i) {
    const float value = static_cast<float>(ShortDecimal(random, 9, static_cast<int>(random() % 9)));
    ASSERT_EQ(PlainSingle(value), testing::ReferenceGeneralForm(value, 7)) << value;
  }
  for (int i = 0; i < 10000 * kScale; ++i) {
    const float value = static_cast<float>(ExactTie(random, 7, 24));
    ASSERT_TRUE(IsTie(value, 7)) << value;
    ASSERT_EQ(PlainSingle(value), testing::ReferenceGeneralForm(value, 7)) << value;
  }
}

TEST(RenderingPropertyTest, MaskNumberMatchesExactSixteenDigitForm) {
  std::mt19937_64 random(3);
  for (int i = 0; i < 10000 * kScale; ++i) {
    const double value = RandomBits(random);
    ASSERT_EQ(MaskNumber(value), testing::ReferenceMaskNumber(value)) << value;
  }
  // Short decimals around the mask's capacity, where the hundredths are decided.
  for (int i = 0; i < 30000 * kScale; ++i) {
    const double value = ShortDecimal(random, 16, static_cast<int>(random() % 6));
    ASSERT_EQ(MaskNumber(value), testing::ReferenceMaskNumber(value)) << value;
  }
}

}  // namespace
}  // namespace torsova
