// The points of a body: the 18 landmarks a form may give, in LandmarkSet
// order, then the neck and the sacrum the program computes. Every table that
// names a body point (the measures, the viewer's readout) counts them so.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "landmarks/landmark_set.h"

namespace torsova {

constexpr std::size_t kBodyPoints = kLandmarkCount + DerivedLandmarks.size();
constexpr std::size_t kNeck = kLandmarkCount;
constexpr std::size_t kSacrum = kLandmarkCount + 1;

// A body point's code and its name in words.
//   0 -> "CRAN", "cranium"    2 -> "RELB", "right elbow"    18 -> "NECK", "neck (computed)"
std::string_view BodyPointCode(std::size_t point);
std::string_view BodyPointName(std::size_t point);

// The point of a code of the LandmarkSet, NECK or SACR; kBodyPoints for any
// other text.
//   "CRAN" -> 0    "NECK" -> 18    "SACR" -> 19    "relb" -> 20
constexpr std::size_t BodyPointOf(std::string_view code) {
  if (code == DerivedLandmarks[0]) return kNeck;
  if (code == DerivedLandmarks[1]) return kSacrum;
  std::size_t i = 0;
  while (i < LandmarkSet.size() && LandmarkSet[i] != code) ++i;
  return i == LandmarkSet.size() ? kBodyPoints : i;
}

// A body's points as the form gives them: x, y and z, the height last. A
// missing point's coordinates mean nothing; NECK and SACR are never missing
// while the torso is there.
struct BodyPoints {
  std::array<std::array<double, 3>, kBodyPoints> at{};
  std::array<bool, kBodyPoints> missing{};
};

}  // namespace torsova
