// PlainInteger, PlainSingle and PlainDouble: the general form of a number.
#include "textio/plain_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "exact/binary_double.h"

namespace torsova {
namespace {

// Infinity and not-a-number as the current Windows runtime prints them; the
// field readers read these texts back as the same kind of value.
std::string NonFinite(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan(ind)" : " nan";
  return std::signbit(value) ? "-inf" : " inf";
}

// The first `count` (2 to 17) significant digits of a finite magnitude > 0,
// correctly rounded, into `digits`; returns the decimal exponent of the first.
// An exact tie at `count` digits is resolved by the library's own rule.
int LeadingDigits(double magnitude, int count, char* digits) {
  char text[32];  // d.dddddddddddddddde-324
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, count - 1);
  const char* at = text;
  for (int n = 0; *at != 'e'; ++at) {
    if (*at != '.') digits[n++] = *at;
  }
  const bool negative_exponent = at[1] == '-';
  int exponent = 0;
  for (at += 2; at < written.ptr; ++at) exponent = exponent * 10 + (*at - '0');
  return negative_exponent ? -exponent : exponent;
}

// Whether magnitude * 10^k lies exactly halfway between two integers, i.e.
// 2 * magnitude * 10^k is an odd integer. With magnitude = M * 2^E, M odd,
// that is M * 5^k * 2^(E+1+k): odd exactly when E+1+k = 0 and, for k < 0,
// 5^-k divides M.
bool IsExactTie(double magnitude, int k) {
  auto [mantissa, exponent] = SplitDouble(magnitude);
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
  if (exponent + 1 + k != 0) return false;
  if (k >= 0) return true;
  if (-k > 22) return false;  // 5^23 exceeds every mantissa
  std::uint64_t power = 1;
  for (int i = 0; i < -k; ++i) power *= 5;
  return mantissa % power == 0;
}

// A finite magnitude > 0 rounded to `precision` significant digits, exact ties
// away from zero, into `digits`; returns the decimal exponent of the first.
// One digit more, correctly rounded, settles every case but a final 5: that is
// either an exact tie (round up) or not a tie at all, when the correctly
// rounded `precision` digits are the answer whatever the library's tie rule.
int RoundedDigits(double magnitude, int precision, char* digits) {
  char longer[18];
  const int exponent = LeadingDigits(magnitude, precision + 1, longer);
  const char next = longer[precision];
  if (next == '5' && !IsExactTie(magnitude, precision - 1 - exponent)) {
    return LeadingDigits(magnitude, precision, digits);
  }
  std::memcpy(digits, longer, static_cast<std::size_t>(precision));
  if (next < '5') return exponent;
  int i = precision - 1;
  for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
  if (i >= 0) {
    ++digits[i];
    return exponent;
  }
  digits[0] = '1';  // 99..9 became 100..0
  return exponent + 1;
}

// "%.Pg" as the Windows runtime writes it (exact ties away from zero, at
// least three exponent digits), behind the sign position.
std::string GeneralForm(double value, int precision) {
  if (!std::isfinite(value)) return NonFinite(value);
  // Negative zero keeps its minus sign, as the Windows runtime writes it.
  std::string out(1, std::signbit(value) ? '-' : ' ');
  const double magnitude = std::fabs(value);
  if (magnitude == 0.0) return out + '0';

  char digits[17];
  const int exponent = RoundedDigits(magnitude, precision, digits);
  int count = precision;
  while (count > 1 && digits[count - 1] == '0') --count;

  if (exponent < -4 || exponent >= precision) {
    out += digits[0];
    if (count > 1) {
      out += '.';
      out.append(digits + 1, static_cast<std::size_t>(count - 1));
    }
    const int power = std::abs(exponent);
    out += exponent < 0 ? "e-" : "e+";
    out += static_cast<char>('0' + power / 100);
    out += static_cast<char>('0' + power / 10 % 10);
    out += static_cast<char>('0' + power % 10);
  } else if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out.append(digits, static_cast<std::size_t>(count));
  } else if (count <= exponent + 1) {
    out.append(digits, static_cast<std::size_t>(count));
    out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
  } else {
    out.append(digits, static_cast<std::size_t>(exponent + 1));
    out += '.';
    out.append(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
  }
  return out;
}

}  // namespace

std::string PlainInteger(std::int16_t value) {
  char text[8];
  text[0] = value < 0 ? '-' : ' ';
  const int magnitude = std::abs(static_cast<int>(value));
  char* end = std::to_chars(text + 1, text + sizeof text - 1, magnitude).ptr;
  *end++ = ' ';
  return std::string(text, end);
}

std::string PlainSingle(float value) { return GeneralForm(static_cast<double>(value), 7); }

std::string PlainDouble(double value) { return GeneralForm(value, 16); }

}  // namespace torsova
