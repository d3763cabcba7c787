// torsova-view: shows a figure file (3D_BODY.ROT by default) as an
// interactive page, a three-view drawing or a list; see --help.
#include "platform/program_io.h"
#include "view/view_program.h"

int main(int argc, char** argv) {
  return torsova::view::RunViewer(torsova::ProgramArguments(argc, argv));
}
