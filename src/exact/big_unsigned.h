// An unsigned integer of any size: just the exact arithmetic needed to round
// powers of ten to a 64-bit mantissa and to settle an order of magnitude.
#pragma once

#include <cstdint>
#include <vector>

namespace torsova {

class BigUnsigned {
 public:
  explicit BigUnsigned(std::uint64_t value = 0);

  // 2^exponent and 5^exponent, exponent >= 0.
  static BigUnsigned PowerOfTwo(int exponent);
  static BigUnsigned PowerOfFive(int exponent);

  void MultiplyBy(std::uint32_t factor);
  void MultiplyBy(const BigUnsigned& factor);
  void ShiftLeft(int bits);
  // Requires `smaller` <= *this.
  void Subtract(const BigUnsigned& smaller);

  // The number of significant bits; 0 for zero.
  int BitLength() const;
  // Bit `position`, false for a negative position.
  bool Bit(int position) const;
  // True when a bit below `position` is set.
  bool AnyBitBelow(int position) const;

  // Negative, zero or positive as a is less than, equal to or greater than b.
  friend int Compare(const BigUnsigned& a, const BigUnsigned& b);

 private:
  void Trim();

  std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limb
};

}  // namespace torsova
