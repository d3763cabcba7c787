// The part of the drawing only a body figure has, beneath the three views:
// the landmarks the form lacked, the legend of the dashed lines across them,
// and the table of the body's measures with its marked side differences.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "view/body/body_figure.h"
#include "view/write/text_writer.h"

namespace torsova::view {

struct BodyPanel {
  std::vector<std::string> missing_lines;  // "Not in the form: LELB left elbow, ..."
  bool legend = false;                     // some line runs across a missing landmark
  std::array<Measure, kMeasureCount> measures;
  double height = 0;  // pixels

  static constexpr double kWidth = 380;
};

BodyPanel MakeBodyPanel(const BodyFigure& body);

// Writes the panel with its top at `top` pixels: <g id="missing"> and
// <g id="measures">, every text through the markup escaping.
void WriteBodyPanel(const BodyPanel& panel, double top, bool white_back, std::string_view ink,
                    std::string_view labels, TextWriter& out);

// How a line across a missing landmark is drawn, in the views and the legend.
inline constexpr std::string_view kAcrossStyle =
    "fill=\"none\" stroke-width=\"1\" stroke-dasharray=\"4 3\" opacity=\"0.55\"";

}  // namespace torsova::view
