#include "view/write/landmark_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace torsova::view {
namespace {

bool Touch(const Box& box, const Disc& disc) {
  const double x = std::fmax(box.left, std::fmin(disc.x, box.right));
  const double y = std::fmax(box.top, std::fmin(disc.y, box.bottom));
  return std::hypot(disc.x - x, disc.y - y) < disc.radius;
}

TEST(LandmarkLabelsTest, EveryCodeWrittenIsClearOfTheOthersAndNearItsPoint) {
  const Box room{0, 0, 200, 200};
  const struct {
    std::string name;
    std::vector<LabelPoint> points;
    std::vector<Disc> discs;
    std::vector<Box> taken;
    std::string placed;  // per point: y placed, n left out, ? either
  } cases[] = {
      {"the two sides on each other", {{100, 100, -1}, {100.5, 100, 1}}, {}, {}, "yy"},
      {"a mark on the point and a head beside it",
       {{100, 100, 1}},
       {{100, 100, 4}, {130, 100, 22}},
       {},
       "y"},
      {"at the room's left edge, a right-hand code goes right", {{2, 100, -1}}, {}, {}, "y"},
      {"the view's name above", {{100, 20, 0}}, {}, {{60, 0, 140, 19}}, "y"},
      {"ten points on one spot: the first always, some left out",
       std::vector<LabelPoint>(10, LabelPoint{100, 100, 0}),
       {},
       {},
       "y???????nn"},
      {"inside a disc that covers all around: nothing", {{100, 100, 1}}, {{100, 90, 40}}, {}, "n"},
  };
  for (const auto& c : cases) {
    const std::vector<std::optional<LabelPlace>> places =
        PlaceLabels(c.points, c.discs, c.taken, room);
    ASSERT_EQ(places.size(), c.points.size()) << c.name;
    std::vector<Box> boxes = c.taken;
    for (std::size_t i = 0; i < places.size(); ++i) {
      if (c.placed[i] != '?') {
        EXPECT_EQ(places[i].has_value(), c.placed[i] == 'y') << c.name << " " << i;
      }
      if (!places[i]) continue;
      const Box box = LabelBox(*places[i]);
      EXPECT_TRUE(room.Holds(box)) << c.name << " " << i;
      for (const Box& other : boxes) EXPECT_FALSE(box.Overlaps(other)) << c.name << " " << i;
      for (const Disc& disc : c.discs) EXPECT_FALSE(Touch(box, disc)) << c.name << " " << i;
      // Near its point: no farther than a line of text from it.
      const LabelPoint& p = c.points[i];
      EXPECT_LT(std::hypot(std::fmax(box.left - p.x, std::fmax(0.0, p.x - box.right)),
                           std::fmax(box.top - p.y, std::fmax(0.0, p.y - box.bottom))),
                kLabelSize * 1.5)
          << c.name << " " << i;
      boxes.push_back(box);
    }
  }
  // Where both sides lie on each other, the right-hand code is left of the
  // point and the left-hand one right of it.
  const auto sides = PlaceLabels({{100, 100, -1}, {100, 100, 1}}, {}, {}, room);
  EXPECT_LE(LabelBox(*sides[0]).right, 100);
  EXPECT_GE(LabelBox(*sides[1]).left, 100);
}

}  // namespace
}  // namespace torsova::view
