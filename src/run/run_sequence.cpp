#include "run/run_sequence.h"

#include "figure/finish_run.h"
#include "figure/write_figure_file.h"
#include "intake/check_form_cells.h"
#include "intake/check_labels_and_torso.h"
#include "tables/build_landmark_table.h"
#include "tables/check_landmark_table.h"
#include "tables/derive_landmarks.h"

namespace torsova {

void RunSequence(RunState& state) {
  state.platform.console.Clear();
  CheckFormCells(state);       // "BodyXYZ.CSV": blank cells, non-numbers
  CheckLabelsAndTorso(state);  // labels, torso present
  BuildLandmarkTable(state);   // "Work2.CSV"
  CheckLandmarkTable(state);   // its shape
  DeriveLandmarks(state);      // "Work3.CSV", "Work4.CSV": sorted, neck and sacrum
  WriteFigureFile(state);      // "3D_BODY.ROT"
  FinishRun(state);            // clean-up, SUCCESS, the viewer
}

}  // namespace torsova
