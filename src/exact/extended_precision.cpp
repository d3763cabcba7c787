#include "exact/extended_precision.h"

#include <array>
#include <atomic>
#include <mutex>
#include <utility>

#include "exact/big_unsigned.h"
#include "exact/binary_double.h"

namespace torsova {
namespace {

// Rounds mantissa * 2^exponent plus the dropped bits (the half bit and whether
// anything below it is set) to nearest, ties to even.
Extended Round(std::uint64_t mantissa, int exponent, bool half, bool below_half) {
  if (half && (below_half || (mantissa & 1) != 0)) {
    if (++mantissa == 0) return {std::uint64_t{1} << 63, exponent + 1};
  }
  return {mantissa, exponent};
}

// 10^n rounded to a 64-bit mantissa, computed exactly with integers.
Extended ExactPowerOfTen(int n) {
  if (n >= 0) {
    BigUnsigned power = BigUnsigned::PowerOfFive(n);
    power.ShiftLeft(n);
    // The 64 bits from the top down; below bit 0 of a short power they are 0.
    const int lowest = power.BitLength() - 64;
    std::uint64_t mantissa = 0;
    for (int bit = lowest + 63; bit >= lowest; --bit) mantissa = (mantissa << 1) | power.Bit(bit);
    return Round(mantissa, lowest, power.Bit(lowest - 1), power.AnyBitBelow(lowest - 1));
  }
  // 1 / 10^-n by long division, one quotient bit at a time: the remainder
  // starts at 2^(length-1), which lies below the divisor as 10^-n is no power
  // of two.
  BigUnsigned divisor = BigUnsigned::PowerOfFive(-n);
  divisor.ShiftLeft(-n);
  const int length = divisor.BitLength();
  BigUnsigned remainder = BigUnsigned::PowerOfTwo(length - 1);
  std::uint64_t mantissa = 0;
  for (int i = 0; i < 64; ++i) {
    remainder.ShiftLeft(1);
    mantissa <<= 1;
    if (Compare(remainder, divisor) >= 0) {
      remainder.Subtract(divisor);
      mantissa |= 1;
    }
  }
  remainder.ShiftLeft(1);  // twice the remainder against the divisor: the half bit
  const int against_half = Compare(remainder, divisor);
  return Round(mantissa, -(length + 63), against_half >= 0, against_half > 0);
}

// (high * 2^64 + low) / divisor for high < divisor: the 64-bit quotient and
// the remainder.
std::uint64_t DivideWide(std::uint64_t high, std::uint64_t low, std::uint64_t divisor,
                         std::uint64_t& remainder) {
  std::uint64_t quotient = 0;
  for (int i = 0; i < 64; ++i) {
    const bool overflow = (high >> 63) != 0;
    high = (high << 1) | (low >> 63);
    low <<= 1;
    quotient <<= 1;
    if (overflow || high >= divisor) {
      high -= divisor;
      quotient |= 1;
    }
  }
  remainder = high;
  return quotient;
}

}  // namespace

Extended ExtendedFromDouble(double value) {
  auto [mantissa, exponent] = SplitDouble(value);
  if (mantissa == 0) return {};
  while ((mantissa >> 63) == 0) {
    mantissa <<= 1;
    --exponent;
  }
  return {mantissa, exponent};
}

Extended PowerOfTen(int n) {
  // Each power is worked out the first time it is asked for: a run needs only
  // a handful, and building all of them up front costs more than the run.
  // Threads may ask at once (torsova-form reads a form in two); the first
  // works a power out, under the lock, and the others then read it.
  struct Entry {
    std::atomic<bool> known{false};
    Extended power;
  };
  static std::array<Entry, kMaxPowerOfTen - kMinPowerOfTen + 1> powers;
  static std::mutex working_out;
  Entry& entry = powers[static_cast<std::size_t>(n - kMinPowerOfTen)];
  if (!entry.known.load(std::memory_order_acquire)) {
    const std::lock_guard<std::mutex> lock(working_out);
    if (!entry.known.load(std::memory_order_relaxed)) {
      entry.power = ExactPowerOfTen(n);
      entry.known.store(true, std::memory_order_release);
    }
  }
  return entry.power;
}

Extended Divide(Extended dividend, Extended divisor) {
  // Both mantissas lie in [2^63, 2^64), so their quotient lies in (1/2, 2):
  // scaled by 2^63 or 2^64 it fills exactly 64 bits.
  std::uint64_t high = dividend.mantissa;
  std::uint64_t low = 0;
  int exponent = dividend.exponent - divisor.exponent - 64;
  if (dividend.mantissa >= divisor.mantissa) {
    low = high << 63;
    high >>= 1;
    ++exponent;
  }
  std::uint64_t remainder = 0;
  const std::uint64_t quotient = DivideWide(high, low, divisor.mantissa, remainder);
  // The dropped part is remainder / divisor: compare it with one half.
  const std::uint64_t rest = divisor.mantissa - remainder;
  return Round(quotient, exponent, remainder >= rest, remainder > rest);
}

Extended Add(Extended a, Extended b) {
  if (a.mantissa == 0) return b;
  if (b.mantissa == 0) return a;
  if (a.exponent < b.exponent) std::swap(a, b);
  const int shift = a.exponent - b.exponent;
  // Beyond 64 bits apart the smaller lies below half a unit of the larger's
  // last place and cannot change the rounded sum.
  if (shift > 64) return a;
  // The exact sum as carry : high : low, in units of 2^(a.exponent - 64).
  std::uint64_t low = shift == 0 ? 0 : b.mantissa << (64 - shift);
  std::uint64_t high = shift == 64 ? 0 : b.mantissa >> shift;
  high += a.mantissa;
  const bool carry = high < a.mantissa;
  int exponent = a.exponent;
  bool below_half = (low << 1) != 0;
  bool half = (low >> 63) != 0;
  if (carry) {
    below_half = below_half || half;
    half = (high & 1) != 0;
    high = (high >> 1) | (std::uint64_t{1} << 63);
    ++exponent;
  }
  return Round(high, exponent, half, below_half);
}

std::uint64_t Floor(Extended value) {
  if (value.exponent >= 0) return value.mantissa << value.exponent;
  if (value.exponent <= -64) return 0;
  return value.mantissa >> -value.exponent;
}

}  // namespace torsova
