// torsova: turns the landmark form "BodyXYZ.CSV" of the current folder into
// the stick figure "3D_BODY.ROT" and hands the console to the viewer.
// Arguments on the command line are ignored.
#include "platform/platform.h"
#include "run/run_sequence.h"
#include "run/run_state.h"

int main() {
  std::unique_ptr<torsova::Console> console = torsova::MakeSystemConsole();
  std::unique_ptr<torsova::Folder> folder = torsova::MakeSystemFolder(".");
  std::unique_ptr<torsova::Process> process = torsova::MakeSystemProcess();
  torsova::RunState state(torsova::Platform{*console, *folder, *process});
  torsova::RunSequence(state);
}
