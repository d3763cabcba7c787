#include "run/run_state.h"

namespace torsova {

std::optional<std::string> CloseEveryFile(RunState& state) {
  std::optional<std::string> failed;
  if (state.figure_table) state.figure_table->Close();
  state.figure_table.reset();
  for (std::unique_ptr<OutputChannel>* channel : {&state.landmark_table, &state.figure_file}) {
    if (!*channel) continue;
    if (!(*channel)->Close() && !failed) failed = (*channel)->name();
    channel->reset();
  }
  return failed;
}

}  // namespace torsova
