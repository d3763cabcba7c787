#include "form/torsova_verdict.h"

#include <memory>
#include <vector>

#include "form/form_folder.h"
#include "run/pages.h"
#include "run/run_files.h"
#include "run/run_sequence.h"
#include "run/run_state.h"
#include "textio/output_channel.h"

namespace torsova::form {
namespace {

// Keeps the lines the run writes; the clear, the bell and the key do nothing.
class PageConsole final : public Console {
 public:
  void Clear() override {}
  void Bell() override {}
  void Write(std::string_view bytes) override { shown.append(bytes); }
  void KeyWait() override {}

  std::string shown;
};

struct RunOver {};

// The run's end ends only the stages; no viewer is started.
class StagesProcess final : public Process {
 public:
  void StartViewer(const std::string&) override {}

 protected:
  void EndProcess(int) override { throw RunOver{}; }
};

// The first line of the page that is neither empty nor one of the lines that
// open a page before its fault line.
std::string FaultLine(std::string_view shown) {
  while (!shown.empty()) {
    const std::size_t end = shown.find(kLineEnd);
    const std::string_view line = shown.substr(0, end);
    shown.remove_prefix(end == std::string_view::npos ? shown.size() : end + kLineEnd.size());
    if (!line.empty() && line != kCannotProceedLine && line != kCannotContinueLine &&
        line != kFourCellsLine) {
      return std::string(line);
    }
  }
  return {};
}

}  // namespace

TorsovaVerdict RunTorsovaOn(std::string_view form) {
  FormOnlyFolder folder(form);
  PageConsole console;
  StagesProcess process;
  RunState state(Platform{console, folder, process});
  try {
    RunSequence(state);
  } catch (const RunOver&) {
  }
  TorsovaVerdict verdict;
  verdict.accepted = folder.written.files.count(kFigureFileName) == 1;
  if (!verdict.accepted) verdict.page_line = FaultLine(console.shown);
  verdict.present = state.PresenceFlags;
  return verdict;
}

}  // namespace torsova::form
