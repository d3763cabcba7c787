#include "intake/check_labels_and_torso.h"

#include <optional>
#include <string>

#include "landmarks/landmark_set.h"
#include "run/pages.h"
#include "run/run_files.h"
#include "textio/input_file.h"

namespace torsova {

void CheckLabelsAndTorso(RunState& state) {
  InputFile form(state.platform.folder, kFormName);
  form.SkipLine();  // the title
  form.SkipLine();  // the headings
  while (!form.AtEnd()) {
    const std::string label = form.ReadTextField();
    for (int coordinate = 0; coordinate < 3; ++coordinate) form.ReadSingleField();
    if (!IsLegitimateLabelCell(label)) {
      form.Close();
      ShowUnknownLabelPage(state, LastFour(label));
    }
  }
  form.Close();

  for (const std::string& label : state.FormLabels) {
    if (std::optional<std::size_t> position = LandmarkPosition(label)) {
      state.PresenceFlags[*position - 1] = true;
    }
  }
  for (std::string_view torso : TorsoLandmarks) {
    if (!state.PresenceFlags[*LandmarkPosition(torso) - 1]) ShowTorsoPage(state);
  }
}

}  // namespace torsova
