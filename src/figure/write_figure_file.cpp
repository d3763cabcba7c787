#include "figure/write_figure_file.h"

namespace torsova {

void WriteFigureFile(RunState& /*state*/) {}

}  // namespace torsova
