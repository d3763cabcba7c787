// Positive numbers with a 64-bit mantissa, the extended precision of the
// sixteen-digit form. Every operation rounds its exact result once, to the
// nearest 64-bit mantissa with ties to even, as an x87 unit set to extended
// precision does. The arithmetic is done on integers, so every platform gets
// the same bits whatever its long double is.
#pragma once

#include <cstdint>

namespace torsova {

// mantissa * 2^exponent, the mantissa's top bit set (or the whole value zero).
struct Extended {
  std::uint64_t mantissa = 0;
  int exponent = 0;
};

// The range of PowerOfTen: every power the sixteen-digit form of a finite
// double needs.
inline constexpr int kMinPowerOfTen = -340;
inline constexpr int kMaxPowerOfTen = 293;

// A finite double's magnitude, exactly.
Extended ExtendedFromDouble(double value);

// 10^n rounded once to a 64-bit mantissa (exact for 0 <= n <= 27), for n in
// [kMinPowerOfTen, kMaxPowerOfTen].
Extended PowerOfTen(int n);

// The rounded quotient; both operands non-zero.
Extended Divide(Extended dividend, Extended divisor);

// The rounded sum.
Extended Add(Extended a, Extended b);

// The whole part of a value below 2^64.
std::uint64_t Floor(Extended value);

}  // namespace torsova
