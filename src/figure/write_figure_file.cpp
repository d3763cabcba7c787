#include "figure/write_figure_file.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "figure/stroke_list.h"
#include "run/run_files.h"

namespace torsova {
namespace {

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

  figure.WriteText(kFigureFirstLine, true);
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
