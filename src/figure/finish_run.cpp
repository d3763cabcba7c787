#include "figure/finish_run.h"

#include <string>

#include "run/pages.h"

namespace torsova {

void FinishRun(RunState& state) {
  // The figure file reaches the disk only here, when it is closed.
  if (std::optional<std::string> failed = CloseEveryFile(state)) {
    ShowWriteFailurePage(state, *failed);
  }
  for (const char* table : {"Work2.CSV", "Work3.CSV", "Work4.CSV"}) {
    state.platform.folder.Delete(table);  // a table that cannot go stays, unmentioned
  }
  WriteConsoleLine(state);
  WriteConsoleLine(state, "                          SUCCESS");
  WriteConsoleLine(state);
  WriteConsoleLine(state, "Gyrovex will now load. Open the file 3D_BODY.ROT.");
  ClosingSteps(state);
}

void ClosingSteps(RunState& state) {
  WriteConsoleLine(state);
  WriteConsoleLine(state);
  WriteConsoleLine(state, kContinueLine);
  state.platform.console.KeyWait();
  CloseEveryFile(state);
  state.platform.process.StartViewer(std::string(kViewerName));
  state.platform.process.Exit(0);
}

}  // namespace torsova
