// PlainInteger, PlainSingle and PlainDouble: the general form of a number.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "textio/renderings.h"

namespace torsova {
namespace {

// Infinity and not-a-number as the current Windows runtime prints them; the
// field readers read these texts back as the same kind of value.
std::string NonFinite(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan(ind)" : " nan";
  return std::signbit(value) ? "-inf" : " inf";
}

// The general form ("%.Pg") of a finite value, with exact ties rounded away
// from zero and an exponent of at least three digits, then the sign position.
std::string GeneralForm(double value, int precision) {
  if (!std::isfinite(value)) return NonFinite(value);
  // Negative zero keeps its minus sign, as the Windows runtime writes it.
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);

  // The exact decimal expansion of the binary value: a double has at most 767
  // significant digits, so 780 digits after the first hold all of them.
  std::array<char, 800> exact{};
  std::to_chars_result written = std::to_chars(exact.data(), exact.data() + exact.size(),
                                                magnitude, std::chars_format::scientific, 780);
  std::string_view text(exact.data(), static_cast<std::size_t>(written.ptr - exact.data()));
  const std::size_t e_at = text.find('e');
  int exponent = std::atoi(std::string(text.substr(e_at + 1)).c_str());
  std::string digits;
  digits.push_back(text[0]);
  digits.append(text.substr(2, e_at - 2));

  // Round to `precision` digits: a remainder of a half or more goes up.
  std::string kept = digits.substr(0, static_cast<std::size_t>(precision));
  if (digits[static_cast<std::size_t>(precision)] >= '5') {
    int i = precision - 1;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      kept.insert(kept.begin(), '1');
      kept.pop_back();
      ++exponent;
    } else {
      ++kept[static_cast<std::size_t>(i)];
    }
  }
  if (magnitude == 0.0) exponent = 0;
  while (kept.size() > 1 && kept.back() == '0') kept.pop_back();

  std::string out = negative ? "-" : " ";
  if (exponent < -4 || exponent >= precision) {
    out += kept[0];
    if (kept.size() > 1) out += "." + kept.substr(1);
    out += exponent < 0 ? "e-" : "e+";
    std::string power = std::to_string(std::abs(exponent));
    out += std::string(power.size() < 3 ? 3 - power.size() : 0, '0') + power;
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + kept;
  } else {
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (kept.size() <= whole) {
      out += kept + std::string(whole - kept.size(), '0');
    } else {
      out += kept.substr(0, whole) + "." + kept.substr(whole);
    }
  }
  return out;
}

}  // namespace

std::string PlainInteger(std::int16_t value) {
  std::string out = value < 0 ? "-" : " ";
  out += std::to_string(std::abs(static_cast<int>(value)));
  out += ' ';
  return out;
}

std::string PlainSingle(float value) { return GeneralForm(static_cast<double>(value), 7); }

std::string PlainDouble(double value) { return GeneralForm(value, 16); }

}  // namespace torsova
