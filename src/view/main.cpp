// torsova-view: shows a figure file (3D_BODY.ROT by default) as an
// interactive page, a three-view drawing or a list; see --help. Started as the
// run's viewer, it shows the run's figure (see view/stand_in.h).
#include "platform/program_io.h"
#include "view/stand_in.h"
#include "view/view_program.h"

int main(int argc, char** argv) {
  return torsova::view::RunViewer(torsova::view::ArgumentsAsStarted(
      torsova::ProgramName(argc, argv), torsova::ProgramArguments(argc, argv)));
}
