// A whole run on arbitrary form bytes in a folder held in memory: it must end
// through one of its defined endings, leave the form as it was, and leave
// exactly the files that ending leaves.
#include <cstdlib>
#include <string>

#include "run/run_sequence.h"
#include "support/fake_platform.h"
#include "support/memory_folder.h"

namespace {

using torsova::testing::FakeProcess;
using torsova::testing::MemoryFolder;
using torsova::testing::RecordingConsole;
using torsova::testing::RunEnded;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Has(const MemoryFolder& folder, const char* name) { return folder.files.count(name) == 1; }

std::size_t CountLines(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos;
       at = text.find("\r\n", at + 2)) {
    ++lines;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string form(reinterpret_cast<const char*>(data), size);
  MemoryFolder folder;
  folder.files["BodyXYZ.CSV"] = form;
  RecordingConsole console;
  FakeProcess process;
  torsova::RunState state(torsova::Platform{console, folder, process});

  RunEnded ended;
  try {
    torsova::RunSequence(state);
  } catch (const RunEnded& end) {
    ended = end;
  }
  const std::string& shown = console.transcript;
  Check(folder.files["BodyXYZ.CSV"] == form);
  Check(ended.status == 0);  // nothing in memory can fail to be written

  if (shown.find("\r\n                          SUCCESS\r\n") != std::string::npos) {
    // Success: the form and the 41-line figure, the viewer after the key.
    Check(ended.viewer.has_value());
    Check(folder.files.size() == 2 && Has(folder, "3D_BODY.ROT"));
    Check(CountLines(folder.files["3D_BODY.ROT"]) == 41);
  } else if (shown.rfind("[clear][bell]", 0) == 0) {
    // The landmark table refused: it stays, nothing else is written, the viewer starts.
    Check(ended.viewer.has_value());
    Check(folder.files.size() == 2 && Has(folder, "Work2.CSV"));
  } else {
    // The form refused: an empty table, no viewer.
    Check(!ended.viewer.has_value());
    Check(folder.files.size() == 2 && folder.files["Work2.CSV"].empty());
    Check(shown.find("Can't proceed.") != std::string::npos ||
          shown.find("Can't continue.") != std::string::npos);
  }
  Check(shown.find("[key]") != std::string::npos);
  return 0;
}
