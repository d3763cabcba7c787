#include "landmarks/landmark_set.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace torsova {

namespace {

// Four characters as one number, so that a label is compared at once.
constexpr std::uint32_t Packed(std::string_view four) {
  std::uint32_t packed = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(four[i])) << (8 * i);
  }
  return packed;
}

constexpr std::array<std::uint32_t, kLandmarkCount> PackedLabels() {
  std::array<std::uint32_t, kLandmarkCount> packed{};
  for (std::size_t i = 0; i < kLandmarkCount; ++i) packed[i] = Packed(LandmarkSet[i]);
  return packed;
}

constexpr bool EveryLabelHasFourCharacters() {
  for (std::string_view label : LandmarkSet) {
    if (label.size() != 4) return false;
  }
  return true;
}
static_assert(EveryLabelHasFourCharacters());

constexpr std::array<std::uint32_t, kLandmarkCount> kPackedLabels = PackedLabels();

}  // namespace

std::optional<std::size_t> LandmarkPosition(std::string_view text) {
  // Every label has four characters; a longer or shorter text names none.
  if (text.size() != 4) return std::nullopt;
  const std::uint32_t wanted = Packed(text);
  for (std::size_t i = 0; i < kLandmarkCount; ++i) {
    if (kPackedLabels[i] == wanted) return i + 1;
  }
  return std::nullopt;
}

bool IsTorsoLandmark(std::string_view label) {
  return std::find(TorsoLandmarks.begin(), TorsoLandmarks.end(), label) != TorsoLandmarks.end();
}

std::string_view LastFour(std::string_view cell) {
  return cell.size() <= 4 ? cell : cell.substr(cell.size() - 4);
}

bool IsLegitimateLabelCell(std::string_view cell) {
  std::string upper(LastFour(cell));
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return LandmarkPosition(upper).has_value();
}

}  // namespace torsova
