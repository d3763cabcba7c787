#include "landmarks/landmark_set.h"

#include <algorithm>
#include <string>

namespace torsova {

std::optional<std::size_t> LandmarkPosition(std::string_view text) {
  auto found = std::find(LandmarkSet.begin(), LandmarkSet.end(), text);
  if (found == LandmarkSet.end()) return std::nullopt;
  return static_cast<std::size_t>(found - LandmarkSet.begin()) + 1;
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
