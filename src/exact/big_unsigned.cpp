#include "exact/big_unsigned.h"

#include <algorithm>

namespace torsova {

BigUnsigned::BigUnsigned(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= 32;
  }
}

BigUnsigned BigUnsigned::PowerOfTwo(int exponent) {
  BigUnsigned result(1);
  result.ShiftLeft(exponent);
  return result;
}

BigUnsigned BigUnsigned::PowerOfFive(int exponent) {
  constexpr std::uint32_t kFiveToThe13 = 1220703125;
  BigUnsigned result(1);
  for (; exponent >= 13; exponent -= 13) result.MultiplyBy(kFiveToThe13);
  for (; exponent > 0; --exponent) result.MultiplyBy(5);
  return result;
}

void BigUnsigned::MultiplyBy(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : limbs_) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  Trim();
}

void BigUnsigned::MultiplyBy(const BigUnsigned& factor) {
  std::vector<std::uint32_t> product(limbs_.size() + factor.limbs_.size(), 0);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < factor.limbs_.size(); ++j) {
      const std::uint64_t sum =
          std::uint64_t{limbs_[i]} * factor.limbs_[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(sum);
      carry = sum >> 32;
    }
    product[i + factor.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  limbs_ = std::move(product);
  Trim();
}

void BigUnsigned::ShiftLeft(int bits) {
  if (limbs_.empty() || bits <= 0) return;
  const int whole = bits / 32;
  const int part = bits % 32;
  if (part != 0) {
    std::uint32_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint32_t next = limb >> (32 - part);
      limb = (limb << part) | carry;
      carry = next;
    }
    if (carry != 0) limbs_.push_back(carry);
  }
  limbs_.insert(limbs_.begin(), static_cast<std::size_t>(whole), 0);
}

void BigUnsigned::Subtract(const BigUnsigned& smaller) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::int64_t difference = std::int64_t{limbs_[i]} - borrow;
    if (i < smaller.limbs_.size()) difference -= smaller.limbs_[i];
    borrow = difference < 0 ? 1 : 0;
    limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
  }
  Trim();
}

int BigUnsigned::BitLength() const {
  if (limbs_.empty()) return 0;
  int bits = static_cast<int>(limbs_.size() - 1) * 32;
  for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
  return bits;
}

bool BigUnsigned::Bit(int position) const {
  const std::size_t limb = static_cast<std::size_t>(position / 32);
  return position >= 0 && limb < limbs_.size() && ((limbs_[limb] >> (position % 32)) & 1) != 0;
}

bool BigUnsigned::AnyBitBelow(int position) const {
  for (int limb = 0; limb * 32 < position && limb < static_cast<int>(limbs_.size()); ++limb) {
    std::uint32_t bits = limbs_[static_cast<std::size_t>(limb)];
    if (position - limb * 32 < 32) bits &= (std::uint32_t{1} << (position - limb * 32)) - 1;
    if (bits != 0) return true;
  }
  return false;
}

int Compare(const BigUnsigned& a, const BigUnsigned& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  }
  return 0;
}

void BigUnsigned::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

}  // namespace torsova
