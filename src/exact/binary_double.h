// A finite double taken apart into its integer mantissa and power of two.
#pragma once

#include <cstdint>
#include <cstring>

namespace torsova {

struct BinaryDouble {
  std::uint64_t mantissa;  // 0 for zero
  int exponent;
};

// |value| = mantissa * 2^exponent exactly, the mantissa as stored (53 bits
// at most, with its hidden bit), for a finite value. The sign is ignored.
inline BinaryDouble SplitDouble(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  BinaryDouble parts{bits & ((std::uint64_t{1} << 52) - 1), -1074};
  if (biased != 0) {
    parts.mantissa |= std::uint64_t{1} << 52;
    parts.exponent = biased - 1075;
  }
  return parts;
}

}  // namespace torsova
