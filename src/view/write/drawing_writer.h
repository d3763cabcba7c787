// The three-view drawing: front, side and top views of the figure side by
// side at one common scale, each in its own group (<g id="front">,
// <g id="side">, <g id="top">) and labelled, with the title and a scale bar
// in the file's unit. Coordinates are written with two decimals at most, so
// the same figure gives the same bytes on every system.
#pragma once

#include <string>

#include "view/figure/figure.h"
#include "view/write/text_writer.h"

namespace torsova::view {

// A body figure (view/body_figure.h) also gets its lines across a missing
// landmark dashed, the missing landmarks listed and its measures beneath the
// views; with `labels`, each landmark's code beside its point in every view.
void WriteDrawing(const Figure& figure, TextWriter& out, bool labels = false);

// The length of the scale bar for a figure of `size`: the longest of 1, 2
// and 5 times a power of ten that is at most a third of it, as text.
//   172.4 -> "50"    1 -> "0.2"    3000 -> "1000"
std::string ScaleBarLength(double size);

}  // namespace torsova::view
