// The table of measures for a study: CSV, one row per body figure.
#pragma once

#include <string_view>

#include "view/body/body_figure.h"
#include "view/write/text_writer.h"

namespace torsova::view {

// figure,title,height,head,trunk,shoulder_breadth,pelvis_breadth,upper_arm_right,
// upper_arm_left,...,foot_left,tail,missing
void WriteMeasuresHeader(TextWriter& out);

// The figure's path as given, its title, the measures (empty where a landmark
// is missing) and the codes of the missing landmarks separated by spaces.
//   data/3D_BODY.ROT,"Doe, Jane",171.20,...,11.51,LELB RKNE
void WriteMeasuresRow(std::string_view path, const Figure& figure, const BodyFigure& body,
                      TextWriter& out);

// A text field of CSV: in double quotes, each one doubled, when it holds a
// comma, a double quote or a line end.
//   a,b -> "a,b"    say "hi" -> "say ""hi"""    plain -> plain
void WriteCsvField(std::string_view text, TextWriter& out);

}  // namespace torsova::view
