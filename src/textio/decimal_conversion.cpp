#include "textio/decimal_conversion.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

namespace torsova {
namespace {

// Exponents are counted up to this; beyond it any text that fits in memory
// gives infinity or zero.
constexpr long long kExponentCap = 100000000000000000;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) {
  return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool BeginsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[i]) != word[i]) return false;
  }
  return true;
}

// The beginning of a text that spells a mantissa and an optional exponent.
struct NumberSpan {
  std::size_t length = 0;  // 0 when the mantissa has no digit
  bool nonzero = false;    // some digit of the mantissa is not 0
  // Place of the leading non-zero digit: 0 for the units, -1 for the first
  // fraction digit.
  long long order = 0;
  long long exponent = 0;  // capped at kExponentCap either way
};

// Digits, an optional point, digits (at least one digit in all), then the
// exponent mark `mark` with an optional sign and decimal digits, taken only
// when a digit follows.
template <bool kHex>
NumberSpan SpanOf(std::string_view text) {
  auto is_digit = [](char c) { return kHex ? IsHexDigit(c) : IsDecimalDigit(c); };
  NumberSpan span;
  std::size_t i = 0;
  std::size_t digits = 0;
  long long first_nonzero = 0;
  while (i < text.size() && is_digit(text[i])) {
    if (!span.nonzero && text[i] != '0') {
      span.nonzero = true;
      first_nonzero = static_cast<long long>(digits);
    }
    ++digits;
    ++i;
  }
  if (span.nonzero) span.order = static_cast<long long>(digits) - 1 - first_nonzero;
  if (i < text.size() && text[i] == '.') {
    ++i;
    long long place = -1;
    while (i < text.size() && is_digit(text[i])) {
      if (!span.nonzero && text[i] != '0') {
        span.nonzero = true;
        span.order = place;
      }
      --place;
      ++digits;
      ++i;
    }
  }
  if (digits == 0) return span;
  span.length = i;
  if (i < text.size() && Lower(text[i]) == (kHex ? 'p' : 'e')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
    if (j < text.size() && IsDecimalDigit(text[j])) {
      long long exponent = 0;
      for (; j < text.size() && IsDecimalDigit(text[j]); ++j) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (text[j] - '0');
      }
      span.exponent = negative ? -exponent : exponent;
      span.length = j;
    }
  }
  return span;
}

// The value of a mantissa and exponent without sign, and the characters they
// took; false when the text does not begin with one.
template <typename T>
bool SpannedValue(std::string_view text, bool hex, T& value, std::size_t& length) {
  NumberSpan span = hex ? SpanOf<true>(text) : SpanOf<false>(text);
  if (span.length == 0) return false;
  length = span.length;
  value = 0;
  std::chars_format format = hex ? std::chars_format::hex : std::chars_format::general;
  std::from_chars_result result =
      std::from_chars(text.data(), text.data() + span.length, value, format);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for the kind: the rounding went to infinity or to
    // zero, and the place of the leading digit tells which.
    long long scale = hex ? 4 : 1;
    bool too_large = span.nonzero && span.order * scale + span.exponent > 0;
    value = too_large ? std::numeric_limits<T>::infinity() : T(0);
  } else if (result.ec != std::errc()) {
    value = 0;
  }
  return true;
}

template <typename T>
T DecimalValue(std::string_view text, std::size_t& length) {
  length = 0;
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string_view rest = text.substr(i);

  // A "0x" without hexadecimal digits after it is the number 0.
  bool hex = rest.size() > 2 && rest[0] == '0' && Lower(rest[1]) == 'x';
  T value = 0;
  std::size_t taken = 0;
  if (hex && SpannedValue(rest.substr(2), true, value, taken)) {
    taken += 2;
  } else if (!SpannedValue(rest, false, value, taken)) {
    if (BeginsWithWord(rest, "inf")) {
      value = std::numeric_limits<T>::infinity();
      taken = BeginsWithWord(rest, "infinity") ? 8 : 3;
    } else if (BeginsWithWord(rest, "nan")) {
      value = std::numeric_limits<T>::quiet_NaN();
      taken = 3;
    } else {
      return 0;
    }
  }
  length = i + taken;
  return negative ? -value : value;
}

}  // namespace

double DecimalToDouble(std::string_view text) {
  std::size_t length = 0;
  return DecimalValue<double>(text, length);
}

float DecimalToSingle(std::string_view text) {
  std::size_t length = 0;
  return DecimalValue<float>(text, length);
}

double DecimalToDouble(std::string_view text, std::size_t& length) {
  return DecimalValue<double>(text, length);
}

}  // namespace torsova
