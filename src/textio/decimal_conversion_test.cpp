#include "textio/decimal_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace torsova {
namespace {

// Equal values with equal signs, and NaN only for NaN.
template <typename T>
bool Same(T a, T b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

TEST(DecimalConversionTest, TakesTheLongestNumericBeginning) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {" \t+1.5e3x", 1500},
      {"\v\f-2", -2},
      {"1.e2", 100},
      {".5", 0.5},
      {"1e", 1},
      {"1e+", 1},
      {"1e+x5", 1},
      {"2E-1", 0.2},
      {".e2", 0},
      {"-", 0},
      {"- 1", 0},
      {"-0", -0.0},
      {"1,5", 1},
      {"INF", kInf},
      {"-Infinity", -kInf},
      {"infinit", kInf},
      {"0x", 0},
      {"0x.8p1", 1},
      {"0X1P-2", 0.25},
      {"0x1p", 1},
      {"0xg", 0},
      {"1e-310", 1e-310},
      {"4e-324", 4.9406564584124654e-324},
      {"2e-324", 0},
      {"-2e-324", -0.0},
      {"1.7976931348623158e308", std::numeric_limits<double>::max()},
      {"1.797693134862316e308", kInf},
      {"0.0000000001e309", 1e299},
      {"0.00000000000000000001e99999999999999999999", kInf},
      {"-1000e-99999999999999999999", -0.0},
      {"0e99999999999999999999", 0},
      {"0x1p99999", kInf},
      {"0x1p-99999", 0},
      {"0x0.0000001p1030", 0x1p1002},
      // halfway between two doubles: to the even one, and up when just above
      {"0.100000000000000012490009027033011079765856266021728515625", 0.1},
      {"0.1000000000000000124900090270330110797658562660217285156251", 0.10000000000000002},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(Same(DecimalToDouble(c.text), c.value))
        << "text \"" << c.text << "\" gave " << DecimalToDouble(c.text);
  }
  EXPECT_TRUE(std::isnan(DecimalToDouble("nan(123)")));
  EXPECT_TRUE(std::isnan(DecimalToDouble("-NaN")));
}

TEST(DecimalConversionTest, RoundsDirectlyToSingle) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    std::string text;
    float value;
  } cases[] = {
      {"0.1", 0.1f},
      {"1.00000005960464477539062500000000000000000000000000001", 1.00000012f},
      {"1.0000000596046447753906249", 1.0f},
      {"3.4028235e38", std::numeric_limits<float>::max()},
      {"3.40282357e38", kInf},
      {"-1e39", -kInf},
      {"1e-45", std::numeric_limits<float>::denorm_min()},
      {"8e-46", std::numeric_limits<float>::denorm_min()},
      {"7e-46", 0.0f},
      {"0x1.000001p0", 1.0f},
      {"0x1.0000011p0", 1.00000012f},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(Same(DecimalToSingle(c.text), c.value))
        << "text \"" << c.text << "\" gave " << DecimalToSingle(c.text);
  }
}

TEST(DecimalConversionTest, TellsHowManyCharactersTheNumberTook) {
  const struct {
    std::string text;
    std::size_t length;
  } cases[] = {
      {"12.5abc", 4},   {" -1e3", 5},   {"1e+", 1},    {"1E+5 ", 4},
      {"abc", 0},       {"-", 0},       {"0x1p3", 5},  {"0xg", 1},
      {"-infinity", 9}, {"infinit", 3}, {"nan(1)", 3}, {"123456789.01E+5", 15},
      {".5.", 2},
  };
  for (const auto& c : cases) {
    std::size_t length = 99;
    const double value = DecimalToDouble(c.text, length);
    EXPECT_EQ(length, c.length) << "text \"" << c.text << "\"";
    EXPECT_TRUE(Same(value, DecimalToDouble(c.text))) << "text \"" << c.text << "\"";
  }
}

}  // namespace
}  // namespace torsova
