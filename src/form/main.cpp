// torsova-form: checks a landmark form the way torsova reads it, converts one
// saved with other separators, or writes a blank one; see --help. Started in
// a console window of its own, as by a form dropped on it, it waits for a key
// before that window closes.
#include "form/form_program.h"
#include "platform/platform.h"
#include "platform/program_io.h"

int main(int argc, char** argv) {
  const int status = torsova::form::RunFormProgram(torsova::ProgramArguments(argc, argv));
  if (torsova::HasConsoleOfItsOwn()) {
    torsova::WriteStandardOutput("\nPress any key to close this window.\n");
    torsova::MakeSystemConsole()->KeyWait();
  }
  return status;
}
