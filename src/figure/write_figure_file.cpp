#include "figure/write_figure_file.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "run/run_files.h"

namespace torsova {
namespace {

// Rows of "Work4.CSV" are 1 to 20; element 0 stays unused.
constexpr std::size_t kFigureRows = 20;

// How a stroke point's code is written.
enum class CodeKind {
  kFixed,    // the code itself as a plain integer
  kFlagged,  // 7 or 0, by the presence of the landmark
};

struct StrokePoint {
  std::size_t row;  // in "Work4.CSV"
  CodeKind kind;
  std::int16_t code;     // fixed codes only
  std::size_t presence;  // flagged codes only: the LandmarkSet position, 1 to 18
};

constexpr StrokePoint Fixed(std::size_t row, std::int16_t code) {
  return {row, CodeKind::kFixed, code, 0};
}
constexpr StrokePoint Flagged(std::size_t row, std::size_t presence) {
  return {row, CodeKind::kFlagged, 0, presence};
}

// The point codes of the viewer.
constexpr std::int16_t kCircle = -7;    // a circle mark, joined to nothing
constexpr std::int16_t kNewStroke = 0;  // not joined to the point before
constexpr std::int16_t kJoined = 7;     // joined to the point before

// The head circle, the spine, shoulders and pelvis, the four limbs and the
// tail. A flagged point whose landmark the form lacked begins a new stroke,
// so no line ends at it.
constexpr std::array<StrokePoint, 26> StrokeList = {{
    Fixed(1, kCircle),      // CRAN: the head
    Fixed(1, kNewStroke),   // CRAN
    Fixed(2, kJoined),      // NECK
    Fixed(12, kJoined),     // SACR
    Fixed(7, kNewStroke),   // LSHO
    Fixed(3, kJoined),      // RSHO
    Fixed(16, kNewStroke),  // LPEL
    Fixed(11, kJoined),     // RPEL
    Fixed(7, kNewStroke),   // LSHO
    Flagged(8, 7),          // LELB
    Flagged(9, 8),          // LWRI
    Flagged(10, 9),         // LFNG
    Fixed(3, kNewStroke),   // RSHO
    Flagged(4, 3),          // RELB
    Flagged(5, 4),          // RWRI
    Flagged(6, 5),          // RFNG
    Fixed(16, kNewStroke),  // LPEL
    Flagged(17, 15),        // LKNE
    Flagged(18, 16),        // LANK
    Flagged(19, 17),        // LTOE
    Fixed(11, kNewStroke),  // RPEL
    Flagged(13, 11),        // RKNE
    Flagged(14, 12),        // RANK
    Flagged(15, 13),        // RTOE
    Fixed(12, kNewStroke),  // SACR
    Flagged(20, 18),        // TAIL
}};

// A small circle at each hand and foot: at the finger or toe when the form
// gave it, otherwise at the wrist or ankle. Tested in this order for the
// label of every row.
struct ExtremityMark {
  std::string_view label;
  std::size_t presence;  // LandmarkSet position of the finger or toe tested
  float required;        // its TablePresenceFlags entry must equal this
  std::size_t row;       // the row marked
};

constexpr std::array<ExtremityMark, 8> ExtremityMarks = {{
    {"LFNG", 9, 1, 10},
    {"LWRI", 9, 0, 9},
    {"RFNG", 5, 1, 6},
    {"RWRI", 5, 0, 5},
    {"LTOE", 17, 1, 19},
    {"LANK", 17, 0, 18},
    {"RTOE", 13, 1, 15},
    {"RANK", 13, 0, 14},
}};

// The rows of "Work4.CSV" as the figure reads them.
struct FigureRows {
  std::array<std::string, kFigureRows + 1> labels;
  std::array<double, kFigureRows + 1> x{};
  std::array<double, kFigureRows + 1> y{};
  std::array<float, kFigureRows + 1> z{};
};

// The coordinates of one row in the viewer's order: x, z, y.
void WritePoint(OutputChannel& figure, const FigureRows& rows, std::size_t row) {
  figure.WriteMaskNumber(rows.x[row]);
  figure.WritePlainSingle(rows.z[row]);
  figure.WriteMaskNumber(rows.y[row]);
}

}  // namespace

void WriteFigureFile(RunState& state) {
  Folder& folder = state.platform.folder;
  state.figure_table = std::make_unique<InputFile>(folder, kFigureTableName);
  state.figure_file = std::make_unique<OutputChannel>(folder, kFigureFileName);
  InputFile& table = *state.figure_table;
  OutputChannel& figure = *state.figure_file;
  const std::array<float, kLandmarkCount>& presence = state.TablePresenceFlags;

  figure.WriteText("#3D body file created by Torsova.", true);
  figure.WriteText("#Program by Osterling.", true);
  figure.WriteText("#", true);
  figure.WriteText("#osterling@example.org", true);
  figure.WriteText("#torsova@example.org", true);
  figure.WriteText("s CircleDiameter 0.17", true);
  figure.WriteText("s WhiteBack", true);
  figure.WriteText("s FillCircles", true);
  figure.WriteLineEnd();
  figure.WriteText("#");
  figure.WriteText(state.FormTitle, true);

  FigureRows rows;
  for (std::size_t i = 1; i <= kFigureRows; ++i) {
    rows.labels[i] = table.ReadTextField();
    rows.x[i] = table.ReadDoubleField();
    rows.y[i] = table.ReadDoubleField();
    rows.z[i] = table.ReadSingleField();
  }

  for (const StrokePoint& point : StrokeList) {
    WritePoint(figure, rows, point.row);
    if (point.kind == CodeKind::kFixed) {
      figure.WritePlainInteger(point.code, true);
    } else if (presence[point.presence - 1] != 0) {
      // The same three bytes as the fixed 7.
      figure.WritePlainSingle(kJoined);
      figure.WriteText(" ", true);
    } else {
      figure.WritePlainSingle(kNewStroke, true);
    }
  }

  figure.WriteText("s CircleDiameter 0.03", true);
  for (std::size_t i = 1; i <= kFigureRows; ++i) {
    for (const ExtremityMark& mark : ExtremityMarks) {
      if (rows.labels[i] == mark.label && presence[mark.presence - 1] == mark.required) {
        WritePoint(figure, rows, mark.row);
        figure.WritePlainInteger(kCircle, true);
      }
    }
  }
  // Both files stay open: the clean-up closes them, and only then is the
  // figure known to be on disk whole.
}

}  // namespace torsova
