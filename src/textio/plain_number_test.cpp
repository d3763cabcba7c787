#include "textio/plain_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace torsova {
namespace {

TEST(PlainIntegerTest, SignPositionDigitsAndOneSpace) {
  const std::pair<std::int16_t, std::string> cases[] = {
      {1, " 1 "},   {-1, "-1 "},        {0, " 0 "},          {-7, "-7 "},
      {12, " 12 "}, {32767, " 32767 "}, {-32768, "-32768 "},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(PlainInteger(value), expected) << value;
}

TEST(PlainSingleTest, GeneralFormWithSevenDigits) {
  const std::pair<float, std::string> cases[] = {
      {100.0f, " 100"},
      {0.0f, " 0"},
      {-3.5f, "-3.5"},
      {0.1f, " 0.1"},
      {2.675f, " 2.675"},
      {0.0001f, " 0.0001"},
      {0.00001f, " 1e-005"},
      {12345678.0f, " 1.234568e+007"},
      {1048576.5f, " 1048577"},   // exact tie, away from zero
      {-1048576.5f, "-1048577"},  // and so for a negative value
      {1048575.5f, " 1048576"},   // where ties to even would agree
      {12345665.0f, " 1.234567e+007"},
      {0.000099999997f, " 0.0001"},  // the carry raises the exponent into the fixed form
      {19.0f, " 19"},
      {1e-5f * 1.5f, " 1.5e-005"},
      {3.4028235e38f, " 3.402823e+038"},
      {1e-45f, " 1.401298e-045"},  // the smallest single, widened exactly
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(PlainSingle(value), expected) << value;
}

TEST(PlainDoubleTest, GeneralFormWithSixteenDigits) {
  const std::pair<double, std::string> cases[] = {
      {10.25, " 10.25"},
      {-7.5, "-7.5"},
      {0.1, " 0.1"},
      {1.0 / 3.0, " 0.3333333333333333"},
      {1000000000000000.5, " 1000000000000001"},  // exact tie, away from zero
      {1000000000000002.5, " 1000000000000003"},  // where ties to even go down
      {2.0 / 3.0 * 1e-5, " 6.666666666666667e-006"},
      {1e16, " 1e+016"},
      {123456789012345678.0, " 1.234567890123457e+017"},
      {0.0001, " 0.0001"},
      {1e300, " 1e+300"},
      {5e-324, " 4.940656458412465e-324"},
      {1.7976931348623157e308, " 1.797693134862316e+308"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(PlainDouble(value), expected) << value;
}

TEST(GeneralFormTest, NegativeZeroInfinityAndNotANumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(PlainDouble(-0.0), "-0");
  EXPECT_EQ(PlainDouble(inf), " inf");
  EXPECT_EQ(PlainDouble(-inf), "-inf");
  EXPECT_EQ(PlainDouble(std::copysign(nan, 1.0)), " nan");
  EXPECT_EQ(PlainDouble(std::copysign(nan, -1.0)), "-nan(ind)");
  EXPECT_EQ(PlainSingle(-0.0f), "-0");
  EXPECT_EQ(PlainSingle(static_cast<float>(-inf)), "-inf");
  EXPECT_EQ(PlainSingle(std::copysign(std::numeric_limits<float>::quiet_NaN(), -1.0f)),
            "-nan(ind)");
}

}  // namespace
}  // namespace torsova
