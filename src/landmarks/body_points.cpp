#include "landmarks/body_points.h"

namespace torsova {
namespace {

constexpr std::string_view kComputedNames[] = {"neck (computed)", "sacrum (computed)"};

}  // namespace

std::string_view BodyPointCode(std::size_t point) {
  return point < kLandmarkCount ? LandmarkSet[point] : DerivedLandmarks[point - kLandmarkCount];
}

std::string_view BodyPointName(std::size_t point) {
  return point < kLandmarkCount ? LandmarkNames[point] : kComputedNames[point - kLandmarkCount];
}

}  // namespace torsova
