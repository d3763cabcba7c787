// The study page: every body figure of a study in one page, with its measures,
// the study's flags and the figures left out, as data for the page's script
// to sort, filter and draw.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "view/body/body_figure.h"
#include "view/body/study_statistics.h"
#include "view/write/embedded_page.h"
#include "view/write/text_writer.h"

namespace torsova::view {

struct StudyFigure {
  std::string path;  // as given
  std::string title;
  BodyFigure body;
  std::array<Measure, kMeasureCount> measures;
};

// A figure that could not be read or is not a body figure, and why.
struct LeftOutFigure {
  std::string path;
  std::string reason;  // "no such file", "3: \"x\" is not a point line"
};

struct Study {
  std::vector<StudyFigure> figures;
  std::vector<LeftOutFigure> left_out;
  StudyStatistics statistics;  // of `figures`, in their order
};

// The statistics of the study's figures, computed into `study`.
void ComputeStatistics(Study& study);

// Fills the study page's template: @SCRIPT_HASH@, @STYLE_HASH@, @TITLE@,
// @STYLE@, @DATA@ and @SCRIPT@.
void WriteStudyPage(const Study& study, const EmbeddedPage& page, TextWriter& out);

// The study as one line of JSON:
//   {"given":N,"flagged":F,"studyFlags":true,"least":10,
//    "columns":[{"id":"thigh_right","name":"right thigh","measure":"thigh",
//      "measureName":"thigh","side":"right","count":238,"median":"26 % of height",
//      "flags":true},...],
//    "points":["CRAN",...],"pointNames":["cranium",...],
//    "approximate":[[true,false,true],null,...],"sacrum":19,
//    "segments":[from,to,...],
//    "bodies":[{"path":"...","title":"...","values":[171.20,...,null],
//      "sides":["-0.1",...],"missing":["LELB"],"at":[x,z,y,...],
//      "flags":[[column,"side study","high","reason"],...]},...],
//    "leftOut":[{"path":"...","reason":"..."}]}
// "segments" are the pairs of body points the figure joins, in its order: a
// segment is drawn unless its second point is missing, and runs across a
// missing landmark when its first is (from where the figure puts it). "at"
// holds the 20 body points in the figure's order of numbers, a missing one
// where the figure puts it; "values" the 18 columns as --measures shows them.
// "approximate" gives, per body point, which of its numbers the file holds
// only approximately, or null where it holds them all.
void WriteStudyData(const Study& study, TextWriter& out);

}  // namespace torsova::view
