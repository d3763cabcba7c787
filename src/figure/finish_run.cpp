#include "figure/finish_run.h"

#include <string>
#include <string_view>

#include "run/pages.h"
#include "run/run_files.h"

namespace torsova {

void FinishRun(RunState& state) {
  // The figure file reaches the disk only here, when it is closed.
  if (std::optional<std::string> failed = CloseEveryFile(state)) {
    ShowWriteFailurePage(state, *failed);
  }
  for (const char* table : kWorkingTables) {
    state.platform.folder.Delete(table);  // a table that cannot go stays, unmentioned
  }
  WriteConsoleLine(state);
  WriteConsoleLine(state, "                          SUCCESS");
  WriteConsoleLine(state);
  WriteConsoleLine(state, "Gyrovex will now load. Open the file 3D_BODY.ROT.");
  ClosingSteps(state);
}

}  // namespace torsova
