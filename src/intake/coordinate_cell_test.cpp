#include "intake/coordinate_cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace torsova {
namespace {

using Fault = CoordinateCellFault;

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::kNone:
      return "none";
    case Fault::kBlank:
      return "blank";
    case Fault::kNotANumber:
      return "not a number";
    case Fault::kTooLarge:
      return "too large";
  }
  return "?";
}

struct CellCase {
  std::string cell;
  Fault fault;
};

void ExpectFaults(const std::vector<CellCase>& cases) {
  for (const CellCase& c : cases) {
    EXPECT_STREQ(FaultName(CheckCoordinateCell(c.cell)), FaultName(c.fault))
        << "cell \"" << c.cell << "\"";
  }
}

TEST(CoordinateCellTest, PlainDecimalsPass) {
  ExpectFaults({{"12", Fault::kNone},
                {"-3.25", Fault::kNone},
                {".5", Fault::kNone},
                {"-.5", Fault::kNone},
                {"5.", Fault::kNone},
                {"0", Fault::kNone},
                {"-0", Fault::kNone},
                {"007.50", Fault::kNone}});
}

TEST(CoordinateCellTest, EverythingElseIsNotANumber) {
  ExpectFaults({{"", Fault::kBlank},
                {"+1.5", Fault::kNotANumber},
                {"1E3", Fault::kNotANumber},
                {"1e3", Fault::kNotANumber},
                {"1d3", Fault::kNotANumber},
                {"12 ", Fault::kNotANumber},
                {"12a", Fault::kNotANumber},
                {"1/2", Fault::kNotANumber},
                {"--5", Fault::kNotANumber},
                {"-", Fault::kNotANumber},
                {".", Fault::kNotANumber},
                {"-.", Fault::kNotANumber},
                {"1.2.3", Fault::kNotANumber},
                {"5-", Fault::kNotANumber},
                {"1-2", Fault::kNotANumber},
                {"&HFF", Fault::kNotANumber},
                {"inf", Fault::kNotANumber},
                {"0x1p3", Fault::kNotANumber},
                {"\xB5", Fault::kNotANumber}});
}

TEST(CoordinateCellTest, SizeLimitOfTheMaskAtItsEdges) {
  ExpectFaults({{"9999999999.994", Fault::kNone},
                {"9999999999.99", Fault::kNone},
                {"1234567890", Fault::kNone},
                {"-999999999.994", Fault::kNone},
                {"-123456789", Fault::kNone},
                {"00000000001234567890.00", Fault::kNone},
                {"9999999999.995", Fault::kTooLarge},
                {"10000000000", Fault::kTooLarge},
                {"12345678901", Fault::kTooLarge},
                {"-999999999.995", Fault::kTooLarge},
                {"-1234567890", Fault::kTooLarge},
                {"123456789012345678901234567890", Fault::kTooLarge}});
}

TEST(CoordinateCellTest, ShapeIsTestedBeforeSize) {
  ExpectFaults({{"12345678901a", Fault::kNotANumber}, {"+12345678901", Fault::kNotANumber}});
}

TEST(CoordinateCellTest, CellLongerThanANumberFieldIsNotANumberUnlessTooLarge) {
  // The readers split a number of more than 67 characters into two fields;
  // the size of a plain number is told before its length.
  const std::string longest = "1." + std::string(65, '0');
  ASSERT_EQ(longest.size(), 67u);
  ExpectFaults({{longest, Fault::kNone},
                {longest + "1", Fault::kNotANumber},
                {"0." + std::string(66, '0'), Fault::kNotANumber},
                {"1" + std::string(400, '0'), Fault::kTooLarge},
                {std::string(70, '1') + "x", Fault::kNotANumber}});
}

TEST(CoordinateCellTest, MaskNeverHoldsInfinityOrNotANumber) {
  EXPECT_FALSE(MaskCanHold(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(MaskCanHold(-std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(MaskCanHold(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_TRUE(MaskCanHold(-0.0));
}

}  // namespace
}  // namespace torsova
