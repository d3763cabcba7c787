#include "view/write/landmark_labels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace torsova::view {
namespace {

// Four capitals of the widest common sans-serif fonts take under 2.9 ems; a
// line of them from its ascent to its descent under 1.2.
constexpr double kCodeWidth = 3 * kLabelSize;
constexpr double kAscent = 0.95 * kLabelSize;
constexpr double kDescent = 0.25 * kLabelSize;
constexpr double kCapsMiddle = 0.36 * kLabelSize;  // from the baseline up
constexpr double kGap = 2;          // between a point, or the mark around it, and its code
constexpr double kPointSpot = 1.5;  // the radius kept clear around every other point

bool Touches(const Box& box, const Disc& disc) {
  const double x = std::clamp(disc.x, box.left, box.right);
  const double y = std::clamp(disc.y, box.top, box.bottom);
  return std::hypot(disc.x - x, disc.y - y) < disc.radius;
}

// The places tried for a code, best first: beside the point on its own side,
// beside it on the other, above and below it on either side, centred above
// and below. `clear` is how far the code keeps from the point.
std::vector<LabelPlace> Candidates(const LabelPoint& point, double clear) {
  const double x = point.x, y = point.y;
  const bool right_first = point.side >= 0;
  const std::string_view near_anchor = right_first ? "start" : "end";
  const std::string_view far_anchor = right_first ? "end" : "start";
  const double out = right_first ? 1 : -1;
  const double above = y - clear - kDescent;
  const double below = y + clear + kAscent;
  return {
      {x + out * clear, y + kCapsMiddle, near_anchor},
      {x - out * clear, y + kCapsMiddle, far_anchor},
      {x + out, above, near_anchor},
      {x - out, above, far_anchor},
      {x + out, below, near_anchor},
      {x - out, below, far_anchor},
      {x, above, "middle"},
      {x, below, "middle"},
  };
}

}  // namespace

Box LabelBox(const LabelPlace& place) {
  double left = place.x;
  if (place.anchor == "end") left -= kCodeWidth;
  if (place.anchor == "middle") left -= kCodeWidth / 2;
  return {left, place.y - kAscent, left + kCodeWidth, place.y + kDescent};
}

std::vector<std::optional<LabelPlace>> PlaceLabels(const std::vector<LabelPoint>& points,
                                                   const std::vector<Disc>& discs,
                                                   std::vector<Box> taken, const Box& room) {
  std::vector<std::optional<LabelPlace>> places(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const LabelPoint& point = points[i];
    // A mark centred on the point itself is stepped around, not avoided.
    double clear = kGap;
    for (const Disc& disc : discs) {
      if (std::hypot(disc.x - point.x, disc.y - point.y) < 0.5) {
        clear = std::max(clear, disc.radius + kGap);
      }
    }
    const auto free = [&](const LabelPlace& place) {
      const Box box = LabelBox(place);
      if (!room.Holds(box)) return false;
      for (const Box& other : taken) {
        if (box.Overlaps(other)) return false;
      }
      for (const Disc& disc : discs) {
        if (Touches(box, disc)) return false;
      }
      for (std::size_t j = 0; j < points.size(); ++j) {
        if (j != i && Touches(box, {points[j].x, points[j].y, kPointSpot})) return false;
      }
      return true;
    };
    for (const LabelPlace& place : Candidates(point, clear)) {
      if (!free(place)) continue;
      places[i] = place;
      taken.push_back(LabelBox(place));
      break;
    }
  }
  return places;
}

}  // namespace torsova::view
