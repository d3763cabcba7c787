#include "textio/mask_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace torsova {
namespace {

std::string Spaces(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

struct MaskCase {
  const char* name;
  double value;
  std::string expected;
};

void ExpectMasks(const MaskCase* first, const MaskCase* last) {
  for (; first != last; ++first) {
    EXPECT_EQ(MaskNumber(first->value), first->expected) << first->name;
  }
}

TEST(MaskNumberTest, WorkedExamples) {
  const double inf = std::numeric_limits<double>::infinity();
  const MaskCase cases[] = {
      {"0", 0.0, Spaces(10) + "0.00 "},
      {"1.5", 1.5, Spaces(10) + "1.50 "},
      {"12.5", 12.5, Spaces(9) + "12.50 "},
      {"-3.25", -3.25, Spaces(9) + "-3.25 "},
      {"-12.345", -12.345, Spaces(8) + "-12.35 "},
      {"0.5", 0.5, Spaces(10) + "0.50 "},
      {"2.675", 2.675, Spaces(10) + "2.68 "},
      {"-2.675", -2.675, Spaces(9) + "-2.68 "},
      {"1.005", 1.005, Spaces(10) + "1.01 "},
      {"99.995", 99.995, Spaces(8) + "100.00 "},
      {"0.00001", 0.00001, Spaces(10) + "0.00 "},
      {"-0.001", -0.001, Spaces(9) + "-0.00 "},
      {"1234567890", 1234567890.0, " 1234567890.00 "},
      {"-123456789", -123456789.0, " -123456789.00 "},
      {"9999999999.995", 9999999999.995, " %10000000000.00 "},
      {"-1234567890", -1234567890.0, " %-1234567890.00 "},
      {"123456789012", 123456789012.0, " %123456789012.00 "},
      {"1234567890123", 1234567890123.0, " %1234567890123.00 "},
      {"-1234567890123", -1234567890123.0, " %-123456789.01E+4 "},
      {"12345678901234", 12345678901234.0, " % 123456789.01E+5 "},
      {"99999999999999", 99999999999999.0, " % 100000000.00E+6 "},
      {"10^30", 1e30, " % 100000000.00E+%22 "},
      {"infinity", inf, Spaces(11) + "INF "},
      {"minus infinity", -inf, Spaces(10) + "-INF "},
  };
  ExpectMasks(std::begin(cases), std::end(cases));
}

TEST(MaskNumberTest, SignsAndRoundingNearZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const MaskCase cases[] = {
      {"negative zero", -0.0, Spaces(9) + "-0.00 "},
      {"-0.004", -0.004, Spaces(9) + "-0.00 "},
      {"0.005", 0.005, Spaces(10) + "0.01 "},
      {"-0.005", -0.005, Spaces(9) + "-0.01 "},
      {"0.004999", 0.004999, Spaces(10) + "0.00 "},
      {"0.015", 0.015, Spaces(10) + "0.02 "},
      {"smallest subnormal", 5e-324, Spaces(10) + "0.00 "},
      {"-1e-300", -1e-300, Spaces(9) + "-0.00 "},
      {"not a number", std::copysign(nan, 1.0), Spaces(11) + "NAN "},
      {"negative not a number", std::copysign(nan, -1.0), Spaces(10) + "-NAN "},
  };
  ExpectMasks(std::begin(cases), std::end(cases));
}

TEST(MaskNumberTest, CapacityEdgesAndBothOverflowForms) {
  const MaskCase cases[] = {
      {"largest that fits", 9999999999.99, " 9999999999.99 "},
      {"largest negative that fits", -999999999.99, " -999999999.99 "},
      {"negative rounds past the capacity", -999999999.995, " %-1000000000.00 "},
      {"three digits over, negative", -123456789012.0, " %-123456789012.00 "},
      {"four digits over, negative", -1234567890123.0, " %-123456789.01E+4 "},
      {"exponent form rounds half up", -1234567890150.0, " %-123456789.02E+4 "},
      {"exponent 9", 1e17, " % 100000000.00E+9 "},
      {"exponent 10", 1e18, " % 100000000.00E+%10 "},
      {"negative multi-digit exponent", -1e30, " %-100000000.00E+%22 "},
      {"hundredths carry to 14 digits", 9999999999999.996, " % 100000000.00E+5 "},
      {"hundredths carry to 13 digits", 999999999999.996, " %1000000000000.00 "},
      {"largest double", 1.7976931348623157e308, " % 179769313.49E+%300 "},
  };
  ExpectMasks(std::begin(cases), std::end(cases));
}

}  // namespace
}  // namespace torsova
