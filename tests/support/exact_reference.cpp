#include "support/exact_reference.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace torsova::testing {
namespace {

// Unsigned big integer, 32-bit limbs, least significant first, no top zeros.
struct Big {
  std::vector<std::uint32_t> limb;

  static Big Of(std::uint64_t v) {
    Big b;
    for (; v != 0; v >>= 32) b.limb.push_back(static_cast<std::uint32_t>(v));
    return b;
  }
  void Trim() {
    while (!limb.empty() && limb.back() == 0) limb.pop_back();
  }
  bool IsZero() const { return limb.empty(); }
  int Bits() const {
    if (limb.empty()) return 0;
    int n = 32 * static_cast<int>(limb.size() - 1);
    for (std::uint32_t t = limb.back(); t; t >>= 1) ++n;
    return n;
  }
  std::uint64_t Low64() const {
    std::uint64_t v = 0;
    for (std::size_t i = std::min<std::size_t>(limb.size(), 2); i-- > 0;) v = (v << 32) | limb[i];
    return v;
  }
};

Big Mul(const Big& a, const Big& b) {
  Big r;
  r.limb.assign(a.limb.size() + b.limb.size(), 0);
  for (std::size_t i = 0; i < a.limb.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < b.limb.size(); ++j) {
      std::uint64_t t = std::uint64_t{a.limb[i]} * b.limb[j] + r.limb[i + j] + carry;
      r.limb[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    r.limb[i + b.limb.size()] = static_cast<std::uint32_t>(carry);
  }
  r.Trim();
  return r;
}

Big Add(const Big& a, const Big& b) {
  Big r;
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < std::max(a.limb.size(), b.limb.size()); ++i) {
    std::uint64_t t = carry;
    if (i < a.limb.size()) t += a.limb[i];
    if (i < b.limb.size()) t += b.limb[i];
    r.limb.push_back(static_cast<std::uint32_t>(t));
    carry = t >> 32;
  }
  if (carry) r.limb.push_back(static_cast<std::uint32_t>(carry));
  return r;
}

// a -= b for a >= b.
void SubInPlace(Big& a, const Big& b) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.limb.size(); ++i) {
    std::int64_t t = std::int64_t{a.limb[i]} - borrow - (i < b.limb.size() ? b.limb[i] : 0);
    borrow = t < 0;
    a.limb[i] = static_cast<std::uint32_t>(t + (borrow << 32));
    if (borrow == 0 && i >= b.limb.size()) break;
  }
  a.Trim();
}

Big Shl(const Big& a, int n) {
  if (a.IsZero() || n == 0) return a;
  Big r;
  r.limb.assign(static_cast<std::size_t>(n / 32), 0);
  std::uint32_t carry = 0;
  for (std::uint32_t v : a.limb) {
    r.limb.push_back(n % 32 ? (v << (n % 32)) | carry : v);
    carry = n % 32 ? v >> (32 - n % 32) : 0;
  }
  r.limb.push_back(carry);
  r.Trim();
  return r;
}

void Shr1InPlace(Big& a) {
  for (std::size_t i = 0; i < a.limb.size(); ++i) {
    a.limb[i] = (a.limb[i] >> 1) | (i + 1 < a.limb.size() ? a.limb[i + 1] << 31 : 0);
  }
  a.Trim();
}

int Cmp(const Big& a, const Big& b) {
  if (a.limb.size() != b.limb.size()) return a.limb.size() < b.limb.size() ? -1 : 1;
  for (std::size_t i = a.limb.size(); i-- > 0;) {
    if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i] ? -1 : 1;
  }
  return 0;
}

// Quotient and remainder, one quotient bit at a time.
std::pair<Big, Big> DivMod(Big a, const Big& b) {
  Big q;
  const int shift = a.Bits() - b.Bits();
  if (shift < 0) return {q, a};
  q.limb.assign(static_cast<std::size_t>(shift / 32 + 1), 0);
  Big d = Shl(b, shift);
  for (int i = shift; i >= 0; --i) {
    if (Cmp(a, d) >= 0) {
      SubInPlace(a, d);
      q.limb[static_cast<std::size_t>(i / 32)] |= std::uint32_t{1} << (i % 32);
    }
    Shr1InPlace(d);
  }
  q.Trim();
  return {q, a};
}

const Big& PowerOf(int base, int n) {
  static std::map<std::pair<int, int>, Big> cache;
  auto found = cache.find({base, n});
  if (found != cache.end()) return found->second;
  Big value =
      n == 0 ? Big::Of(1) : Mul(PowerOf(base, n - 1), Big::Of(static_cast<std::uint64_t>(base)));
  return cache.emplace(std::make_pair(base, n), std::move(value)).first->second;
}

// magnitude = mantissa * 2^exponent.
void Split(double magnitude, std::uint64_t& mantissa, int& exponent) {
  int e = 0;
  const double fraction = std::frexp(magnitude, &e);
  mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent = e - 53;
}

std::string DecimalOf(Big v) {
  if (v.IsZero()) return "0";
  std::string text;  // nine digits at a time, least significant first
  while (!v.IsZero()) {
    std::uint64_t rest = 0;
    for (std::size_t i = v.limb.size(); i-- > 0;) {
      const std::uint64_t t = (rest << 32) | v.limb[i];
      v.limb[i] = static_cast<std::uint32_t>(t / 1000000000);
      rest = t % 1000000000;
    }
    v.Trim();
    for (int d = 0; d < 9; ++d, rest /= 10) text.push_back(static_cast<char>('0' + rest % 10));
  }
  while (text.size() > 1 && text.back() == '0') text.pop_back();
  std::reverse(text.begin(), text.end());
  return text;
}

// Adds one to a decimal digit string; it may grow by a digit.
std::string Increment(std::string digits) {
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
  if (i == 0) return "1" + digits;
  ++digits[i - 1];
  return digits;
}

// A positive rational rounded to a 64-bit mantissa, ties to even:
// mantissa * 2^exponent.
std::pair<std::uint64_t, int> RoundTo64(const Big& num, const Big& den) {
  int shift = 64 - (num.Bits() - den.Bits());
  for (;;) {
    Big n = shift >= 0 ? Shl(num, shift) : num;
    Big d = shift < 0 ? Shl(den, -shift) : den;
    auto [q, r] = DivMod(n, d);
    if (q.Bits() > 64) {
      --shift;
      continue;
    }
    std::uint64_t m = q.Low64();
    const int half = Cmp(Shl(r, 1), d);
    int exponent = -shift;
    if (half > 0 || (half == 0 && (m & 1))) {
      if (++m == 0) {
        m = std::uint64_t{1} << 63;
        ++exponent;
      }
    }
    return {m, exponent};
  }
}

// mantissa * 2^exponent as a fraction num / den.
void AsFraction(std::uint64_t mantissa, int exponent, Big& num, Big& den) {
  num = Shl(Big::Of(mantissa), std::max(exponent, 0));
  den = Shl(Big::Of(1), std::max(-exponent, 0));
}

}  // namespace

std::string ExactDecimalDigits(double magnitude, int& exponent) {
  std::uint64_t mantissa = 0;
  int e2 = 0;
  Split(magnitude, mantissa, e2);
  std::string digits;
  if (e2 >= 0) {
    digits = DecimalOf(Shl(Big::Of(mantissa), e2));
    exponent = static_cast<int>(digits.size()) - 1;
  } else {  // mantissa * 5^-e2 / 10^-e2
    digits = DecimalOf(Mul(Big::Of(mantissa), PowerOf(5, -e2)));
    exponent = static_cast<int>(digits.size()) - 1 + e2;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits;
}

std::string ReferenceGeneralForm(double value, int precision) {
  const std::string sign = std::signbit(value) ? "-" : " ";
  if (value == 0) return sign + "0";
  int x = 0;
  std::string digits = ExactDecimalDigits(std::fabs(value), x);
  digits.resize(std::max<std::size_t>(digits.size(), precision + 1), '0');
  std::string kept = digits.substr(0, precision);
  if (digits[precision] >= '5') kept = Increment(kept);  // half or more goes up
  if (kept.size() > static_cast<std::size_t>(precision)) {
    kept.pop_back();
    ++x;
  }
  while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
  if (x < -4 || x >= precision) {
    std::string mantissa = kept.substr(0, 1);
    if (kept.size() > 1) mantissa += "." + kept.substr(1);
    std::string power = std::to_string(std::abs(x));
    while (power.size() < 3) power = "0" + power;
    return sign + mantissa + "e" + (x < 0 ? "-" : "+") + power;
  }
  // Fixed: place the point in the digits padded with zeros on both sides.
  std::string all = std::string(x < 0 ? -x : 0, '0') + kept;
  const std::size_t point = x < 0 ? 1 : static_cast<std::size_t>(x) + 1;
  if (all.size() < point) all.append(point - all.size(), '0');
  std::string text = all.substr(0, point);
  if (all.size() > point) text += "." + all.substr(point);
  return sign + text;
}

int ReferenceHalfDecade(double magnitude) {
  std::uint64_t m = 0;
  int e2 = 0;
  Split(magnitude, m, e2);
  // The b with 10^(2b+1) <= m^2 < 10^(2b+3), m^2 = m*m * 2^(2 e2).
  auto square_at_least = [&](int j) {  // m^2 >= 10^j
    Big left = Mul(Big::Of(m), Big::Of(m));
    Big right = Big::Of(1);
    if (j >= 0)
      right = PowerOf(10, j);
    else
      left = Mul(left, PowerOf(10, -j));
    if (e2 >= 0)
      left = Shl(left, 2 * e2);
    else
      right = Shl(right, -2 * e2);
    return Cmp(left, right) >= 0;
  };
  int b = static_cast<int>(std::floor(std::log10(magnitude) - 0.5));
  while (!square_at_least(2 * b + 1)) --b;
  while (square_at_least(2 * b + 3)) ++b;

  return b;
}

void ReferencePowerOfTen(int n, std::uint64_t& mantissa, int& exponent) {
  static std::map<int, std::pair<std::uint64_t, int>> powers;
  if (!powers.count(n)) {
    powers[n] =
        n >= 0 ? RoundTo64(PowerOf(10, n), Big::Of(1)) : RoundTo64(Big::Of(1), PowerOf(10, -n));
  }
  mantissa = powers[n].first;
  exponent = powers[n].second;
}

ReferenceDecimal ReferenceSixteenDigitForm(double magnitude) {
  std::uint64_t m = 0;
  int e2 = 0;
  Split(magnitude, m, e2);
  const int b = ReferenceHalfDecade(magnitude);
  // The power of ten, rounded once, and the rounded quotient.
  std::uint64_t pm = 0;
  int pe = 0;
  ReferencePowerOfTen(b - 15, pm, pe);
  Big num, den, pnum, pden;
  AsFraction(m, e2, num, den);
  AsFraction(pm, pe, pnum, pden);
  auto [qm, qe] = RoundTo64(Mul(num, pden), Mul(den, pnum));
  int exponent = b - 15;
  AsFraction(qm, qe, num, den);
  if (Cmp(num, Mul(den, PowerOf(10, 16))) >= 0) {
    std::tie(qm, qe) = RoundTo64(num, Mul(den, Big::Of(10)));
    exponent = b - 14;
    AsFraction(qm, qe, num, den);
  }
  // q + 1/2 = (2 num + den) / (2 den), rounded, then its whole part.
  const auto [sm, se] = RoundTo64(Add(Shl(num, 1), den), Shl(den, 1));
  AsFraction(sm, se, num, den);
  return {DivMod(num, den).first.Low64(), exponent};
}

std::string ReferenceMaskNumber(double value) {
  const bool negative = std::signbit(value);
  const std::string sign = negative ? "-" : "";
  const std::size_t capacity = negative ? 9 : 10;
  ReferenceDecimal form;
  if (value != 0) form = ReferenceSixteenDigitForm(std::fabs(value));
  const std::string digits = std::to_string(form.digits);

  // Hundredths as a digit string, rounded half up on the decimal digits.
  std::string hundredths;
  if (form.exponent >= -2) {
    hundredths = digits + std::string(static_cast<std::size_t>(form.exponent + 2), '0');
  } else {
    const std::size_t dropped = static_cast<std::size_t>(-2 - form.exponent);
    std::string padded = std::string(dropped + 1, '0') + digits;
    hundredths = padded.substr(0, padded.size() - dropped);
    if (padded[padded.size() - dropped] >= '5') hundredths = Increment(hundredths);
  }
  hundredths.erase(0, std::min(hundredths.find_first_not_of('0'), hundredths.size()));
  if (hundredths.size() < 3) hundredths.insert(0, 3 - hundredths.size(), '0');
  std::string whole = hundredths.substr(0, hundredths.size() - 2);
  const std::size_t integer_digits = whole == "0" ? 0 : whole.size();
  const std::string fixed = whole + "." + hundredths.substr(hundredths.size() - 2);

  std::string field;
  if (integer_digits <= capacity) {
    field = sign + fixed;
    field.insert(0, field.size() < 13 ? 13 - field.size() : 0, ' ');
  } else if (integer_digits <= capacity + 3) {
    field = "%" + sign + fixed;
  } else {
    std::string kept = digits.substr(0, 11);
    if (digits[11] >= '5') kept = Increment(kept);
    int carry = 0;
    if (kept.size() > 11) {
      kept.pop_back();
      carry = 1;
    }
    const int power = static_cast<int>(digits.size()) + form.exponent + carry - 9;
    field = "%" + std::string(negative ? "-" : " ") + kept.substr(0, 9) + "." + kept.substr(9) +
            "E+" + (power > 9 ? "%" : "") + std::to_string(power);
  }
  return " " + field + " ";
}

}  // namespace torsova::testing
