// Where the drawing writes the landmarks' codes in one view: beside each
// point, clear of the codes already placed, of the circle marks and of the
// other points, and inside the view's room, so that every code written can be
// read. Codes of right-hand landmarks go to the left of their point and those
// of left-hand ones to the right, so that where the two sides lie on each
// other (the side view) both can be read. A code that finds no free place is
// left out.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace torsova::view {

// Pixels of the drawing, y downwards.
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;

  bool Overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  bool Holds(const Box& other) const {
    return left <= other.left && other.right <= right && top <= other.top && other.bottom <= bottom;
  }
};

struct Disc {
  double x = 0, y = 0, radius = 0;
};

struct LabelPoint {
  double x = 0, y = 0;
  int side = 0;  // -1 for a right-hand landmark, +1 for a left-hand one, 0 for the midline
};

// A code's place: its text starts (anchor "start"), ends ("end") or is
// centred ("middle") at x, on the baseline y.
struct LabelPlace {
  double x = 0, y = 0;
  std::string_view anchor;
};

// The size codes are written in, in pixels.
inline constexpr double kLabelSize = 8;

// The box a code of four capitals takes at `place`, with room for any font's
// widest letters and its descent.
Box LabelBox(const LabelPlace& place);

// One place per point, in the order given, which is the order of preference
// when places run short; none where no place is free. Codes keep clear of
// `discs` (the circle marks) and of `taken` (other texts), and stay in `room`.
std::vector<std::optional<LabelPlace>> PlaceLabels(const std::vector<LabelPoint>& points,
                                                   const std::vector<Disc>& discs,
                                                   std::vector<Box> taken, const Box& room);

}  // namespace torsova::view
