#include "textio/number_field.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <type_traits>

#include "textio/decimal_conversion.h"

namespace torsova {
namespace {

// Fields of 19 characters or more that do not begin with "&" are decimal. Up
// to 18 characters the integer cannot leave the 64-bit range except through
// "&", whose digits wrap.
constexpr std::size_t kLongestIntegerField = 18;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Reads the 64 bits as a two's complement number.
std::int64_t AsSigned(std::uint64_t bits) {
  if (bits <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return static_cast<std::int64_t>(bits);
  }
  return -static_cast<std::int64_t>(~bits) - 1;
}

// The nearest value of T, ties to even, computed exactly: the conversion the
// language offers may round differently on some systems.
template <typename T>
T RoundInteger(std::int64_t value) {
  constexpr int kDigits = std::numeric_limits<T>::digits;
  std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  int shift = 0;
  while ((magnitude >> shift) >= (std::uint64_t{1} << kDigits)) ++shift;
  std::uint64_t kept = magnitude >> shift;
  if (shift > 0) {
    std::uint64_t dropped = magnitude & ((std::uint64_t{1} << shift) - 1);
    std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (dropped > half || (dropped == half && (kept & 1) != 0)) ++kept;
  }
  T rounded = std::ldexp(static_cast<T>(kept), shift);  // kept has at most kDigits + 1 bits
  return value < 0 ? -rounded : rounded;
}

template <typename T>
T NumberFieldValue(std::string_view field) {
  bool fraction_mark = false;
  bool exponent_d = false;
  for (char c : field) {
    if (c == '&') break;  // the radix mark: nothing after it is a fraction mark
    if (c == '.' || c == 'e' || c == 'E') fraction_mark = true;
    if (c == 'd' || c == 'D') fraction_mark = exponent_d = true;
  }
  if (!fraction_mark && (field.size() <= kLongestIntegerField || field[0] == '&')) {
    return RoundInteger<T>(IntegerFieldValue(field));
  }
  std::string text;
  if (exponent_d) {
    // "d" and "D" before the radix mark are read as "e" and "E".
    text.assign(field);
    for (char& c : text) {
      if (c == '&') break;
      if (c == 'd') c = 'e';
      if (c == 'D') c = 'E';
    }
    field = text;
  }
  if constexpr (std::is_same_v<T, float>) {
    return DecimalToSingle(field);
  } else {
    return DecimalToDouble(field);
  }
}

}  // namespace

std::int64_t IntegerFieldValue(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  std::uint64_t value = 0;  // wraps modulo 2 to the power 64
  if (field.size() - i >= 2 && field[i] == '&') {
    int radix = 8;
    std::size_t digits = i + 1;
    switch (field[i + 1]) {
      case 'H':
      case 'h':
        radix = 16;
        digits = i + 2;
        break;
      case 'O':
      case 'o':
        digits = i + 2;
        break;
      case 'B':
      case 'b':
        radix = 2;
        digits = i + 2;
        break;
      default:
        break;
    }
    for (std::size_t j = digits; j < field.size() && DigitValue(field[j]) < radix; ++j) {
      value = value * static_cast<std::uint64_t>(radix) +
              static_cast<std::uint64_t>(DigitValue(field[j]));
    }
    return AsSigned(value);
  }
  while (i < field.size() && IsSpace(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + static_cast<std::uint64_t>(field[i] - '0');
  }
  return AsSigned(negative ? std::uint64_t{0} - value : value);
}

double NumberFieldToDouble(std::string_view field) { return NumberFieldValue<double>(field); }

float NumberFieldToSingle(std::string_view field) { return NumberFieldValue<float>(field); }

}  // namespace torsova
