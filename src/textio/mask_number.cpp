// MaskNumber: a value through the mask " ##########.## ".
#include "textio/mask_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "exact/sixteen_digit_form.h"

namespace torsova {
namespace {

constexpr std::size_t kFieldWidth = 13;  // "##########.##"

std::uint64_t TenToThe(int n) {
  std::uint64_t power = 1;
  while (n-- > 0) power *= 10;
  return power;
}

// The number of decimal digits; 0 for zero.
int DigitCount(std::uint64_t value) {
  int count = 0;
  for (; value != 0; value /= 10) ++count;
  return count;
}

void AppendDigits(std::string& out, std::uint64_t value) {
  char digits[20];
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, written.ptr);
}

// "integer.hh" of a whole number of hundredths.
void AppendHundredths(std::string& out, std::uint64_t hundredths) {
  AppendDigits(out, hundredths / 100);
  out += '.';
  out += static_cast<char>('0' + hundredths / 10 % 10);
  out += static_cast<char>('0' + hundredths % 10);
}

std::string RightAligned(const std::string& text) {
  if (text.size() >= kFieldWidth) return text;
  return std::string(kFieldWidth - text.size(), ' ') + text;
}

// The field behind the percent sign for a value with more than three integer
// digits beyond the capacity: 11 significant digits, half up, as 9.2 digits
// and an exponent of the rounded value's integer digits less nine, with a
// percent sign before an exponent of more than one digit.
std::string ExponentForm(bool negative, DecimalForm form) {
  const int digit_count = DigitCount(form.digits);
  const std::uint64_t divisor = TenToThe(digit_count - 11);
  std::uint64_t kept = form.digits / divisor;
  if (form.digits % divisor >= divisor / 2) ++kept;
  int carry = 0;
  if (kept == TenToThe(11)) {
    kept /= 10;
    carry = 1;
  }
  const int integer_digits = digit_count + form.exponent + carry;
  std::string field = negative ? "%-" : "% ";
  AppendHundredths(field, kept);
  field += "E+";
  const int exponent = integer_digits - 9;
  if (exponent > 9) field += '%';
  AppendDigits(field, static_cast<std::uint64_t>(exponent));
  return field;
}

std::string MaskField(double value) {
  const bool negative = std::signbit(value);
  if (std::isnan(value)) return RightAligned(negative ? "-NAN" : "NAN");
  if (std::isinf(value)) return RightAligned(negative ? "-INF" : "INF");

  const DecimalForm form = SixteenDigitForm(std::fabs(value));
  // The value in hundredths, rounded half up on the decimal digits, and the
  // number of its integer digits. Hundredths are only formed when they are to
  // be written, as they then fit in 64 bits.
  std::uint64_t hundredths = 0;
  int integer_digits = 0;
  if (form.exponent < -2) {
    const int shift = -2 - form.exponent;
    if (shift <= 17) {  // beyond, the digits lie below half a hundredth
      const std::uint64_t divisor = TenToThe(shift);
      hundredths = form.digits / divisor;
      if (form.digits % divisor >= divisor / 2) ++hundredths;
    }
    integer_digits = DigitCount(hundredths / 100);
  } else {
    integer_digits = DigitCount(form.digits) + form.exponent;  // zero: 0 + 0
  }

  const int capacity = negative ? 9 : 10;
  if (integer_digits > capacity + 3) return ExponentForm(negative, form);
  if (form.exponent >= -2) hundredths = form.digits * TenToThe(form.exponent + 2);
  std::string field = integer_digits > capacity ? "%" : "";
  if (negative) field += '-';
  AppendHundredths(field, hundredths);
  return RightAligned(field);
}

}  // namespace

std::string MaskNumber(double value) {
  std::string out = " ";
  out += MaskField(value);
  out += ' ';
  return out;
}

}  // namespace torsova
