// torsova-form check and a whole torsova run on the same arbitrary bytes:
// check accepts exactly when the run reaches SUCCESS, names the very line of
// the page the run shows, and its findings agree with that verdict.
#include <cstdlib>
#include <string>
#include <string_view>

#include "form/form_check.h"
#include "run/pages.h"
#include "run/run_sequence.h"
#include "support/fake_platform.h"
#include "support/memory_folder.h"

namespace {

using torsova::form::Finding;
using torsova::form::FindingKind;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string form(reinterpret_cast<const char*>(data), size);

  torsova::testing::MemoryFolder folder;
  folder.files["BodyXYZ.CSV"] = form;
  torsova::testing::RecordingConsole console;
  torsova::testing::FakeProcess process;
  torsova::RunState state(torsova::Platform{console, folder, process});
  try {
    torsova::RunSequence(state);
  } catch (const torsova::testing::RunEnded&) {
  }
  const std::string& shown = console.transcript;
  const bool succeeded =
      shown.find("\r\n                          SUCCESS\r\n") != std::string::npos;

  const torsova::form::FormCheck check = torsova::form::CheckForm(form);
  Check(check.verdict.accepted == succeeded);
  bool out_of_step = false, fault = false, names_the_line = false;
  for (const Finding& finding : check.findings) {
    out_of_step = out_of_step || finding.kind == FindingKind::kOutOfStep ||
                  finding.kind == FindingKind::kSeparators;
    fault = fault || finding.kind == FindingKind::kFault;
    const std::string& line = check.verdict.page_line;
    names_the_line =
        names_the_line || (finding.kind == FindingKind::kFault &&
                           (finding.what == line || EndsWith(finding.what, ": " + line) ||
                            (line == torsova::kTorsoLines[0] && finding.row == 0)));
  }
  if (succeeded) {
    Check(check.verdict.page_line.empty());
    Check(!fault || out_of_step);
    Check(check.verdict.present == state.PresenceFlags);
  } else {
    // The line is one the run wrote, whole, and names the fault.
    const std::string& line = check.verdict.page_line;
    Check(!line.empty());
    Check(shown.find(line + "\r\n") != std::string::npos);
    Check(line != torsova::kCannotProceedLine && line != torsova::kCannotContinueLine);
    Check(names_the_line || out_of_step);
  }
  Check(!torsova::form::CheckText("BodyXYZ.CSV", check).empty());
  return 0;
}
