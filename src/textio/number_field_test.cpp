#include "textio/number_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace torsova {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberFieldTest, ConvertsByTheMarksAndTheLength) {
  struct Case {
    std::string field;
    double value;
  };
  const Case cases[] = {
      // fraction mark: decimal conversion, "d" read as "e"
      {"1d3", 1000},
      {"1D3", 1000},
      {"1.5d2", 150},
      {"1.5.2", 1.5},
      {"-.5", -0.5},
      {"1e", 1},
      {"1.5&", 1.5},
      // no fraction mark, at most 18 characters: integer conversion
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"+5", 5},
      {"007", 7},
      {" -12", -12},
      {"1&2.5", 1},
      {"infinity", 0},
      {"999999999999999999", 1e18},
      // radix mark
      {"&HFF", 255},
      {"&hff", 255},
      {"&HDD", 221},
      {"&17", 15},
      {"&O17", 15},
      {"&b101", 5},
      {"&B102", 2},
      {"&H", 0},
      {"&", 0},
      {"&8", 0},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&H8000000000000000", -9223372036854775808.0},
      {"&H1FFFFFFFFFFFFFFFF", -1},
      {"&B" + std::string(64, '1'), -1},
      // 19 characters or more without a leading "&": decimal conversion
      {"1234567890123456789", 1234567890123456789.0},
      {"           infinity", kInf},
      {"1e400", kInf},
      {"-1e400", -kInf},
      // "d" turns a hexadecimal constant's last digit into "e"
      {"0x1.8p1", 3},
      {"0x1d.", 30},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberFieldToDouble(c.field), c.value) << "field \"" << c.field << "\"";
  }
}

TEST(NumberFieldTest, RoundsOnceToSingle) {
  struct Case {
    std::string field;
    float value;
  };
  const Case cases[] = {
      {"16777217", 16777216.0f},
      {"16777219", 16777220.0f},
      {"-16777217", -16777216.0f},
      {"123456789", 123456792.0f},
      // 2^60 + 2^36 + 1: through a double this is a tie and falls to 2^60.
      {"&H1000001000000001", 1152921642045800448.0f},
      {"&H8000000000000000", -9223372036854775808.0f},
      // 1 + 2^-24 + a little: through a double this is a tie and falls to 1.
      {"1.00000005960464477539062500000000000000000000000000001", 1.00000012f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberFieldToSingle(c.field), c.value) << "field \"" << c.field << "\"";
  }
  EXPECT_EQ(NumberFieldToDouble("&H1000001000000001"), 1152921573326323712.0);
}

TEST(NumberFieldTest, IntegerValueWrapsAtSixtyFourBits) {
  EXPECT_EQ(IntegerFieldValue("&H7FFFFFFFFFFFFFFF"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(IntegerFieldValue("&H10000000000000005"), 5);
  EXPECT_EQ(IntegerFieldValue("&O1777777777777777777777"), -1);
  EXPECT_EQ(IntegerFieldValue("18446744073709551617"), 1);
  EXPECT_EQ(IntegerFieldValue("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(IntegerFieldValue("\t12"), 12);
  EXPECT_EQ(IntegerFieldValue("\t&H12"), 0);
  EXPECT_EQ(IntegerFieldValue("  &H12"), 18);
}

}  // namespace
}  // namespace torsova
