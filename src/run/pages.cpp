#include "run/pages.h"

#include <string>

#include "run/run_files.h"
#include "textio/output_channel.h"
#include "textio/plain_number.h"

namespace torsova {
namespace {

// The key line, the key, every file closed, the end of the process.
[[noreturn]] void StopAfterKey(RunState& state, std::string_view key_line, int status) {
  WriteConsoleLine(state, key_line);
  state.platform.console.KeyWait();
  CloseEveryFile(state);
  state.platform.process.Exit(status);
}

// The pages of the cell checks: a fault line, then the same ending.
[[noreturn]] void ShowCannotProceedPage(RunState& state, std::string_view fault_line,
                                        bool edit_hint, int status) {
  WriteConsoleLine(state);
  WriteConsoleLine(state);
  WriteConsoleLine(state, kCannotProceedLine);
  WriteConsoleLine(state);
  WriteConsoleLine(state, fault_line);
  WriteConsoleLine(state);
  if (edit_hint) {
    WriteConsoleLine(state, "Edit the .CSV form you filled in.");
    WriteConsoleLine(state);
  }
  StopAfterKey(state, kContinueLine, status);
}

// Counts are shown as singles, the way the table checks count.
std::string CountText(std::uint64_t count) { return PlainSingle(static_cast<float>(count)); }

}  // namespace

void WriteConsoleLine(RunState& state, std::string_view text) {
  std::string line(text);
  line += kLineEnd;
  state.platform.console.Write(line);
}

std::string NotANumberLine(std::string_view cell) {
  return std::string(cell) + " is not a number.";
}

std::string TooLargeLine(std::string_view cell) {
  return std::string(cell) + " is too large a coordinate.";
}

std::string UnknownLabelLine(std::string_view last_four) {
  return std::string(last_four) + " is not a legitimate anatomical label.";
}

void ShowBlankCellPage(RunState& state) { ShowCannotProceedPage(state, kBlankCellLine, false, 0); }

void ShowNotANumberPage(RunState& state, std::string_view cell) {
  ShowCannotProceedPage(state, NotANumberLine(cell), true, 0);
}

void ShowTooLargePage(RunState& state, std::string_view cell) {
  ShowCannotProceedPage(state, TooLargeLine(cell), true, 0);
}

void ShowWriteFailurePage(RunState& state, std::string_view file_name) {
  WriteConsoleLine(state);
  WriteConsoleLine(state);
  WriteConsoleLine(state, kCannotProceedLine);
  WriteConsoleLine(state);
  WriteConsoleLine(state, std::string(file_name) + " could not be written.");
  WriteConsoleLine(state);
  StopAfterKey(state, kContinueLine, 1);
}

void ShowUnknownLabelPage(RunState& state, std::string_view last_four) {
  // "continue", not the "proceed" of the cell pages: the two pages have always
  // said it differently, and users know them by it.
  WriteConsoleLine(state, kCannotContinueLine);
  WriteConsoleLine(state);
  WriteConsoleLine(state, UnknownLabelLine(last_four));
  WriteConsoleLine(state);
  WriteConsoleLine(state, "Edit the .CSV form you filled in.");
  CloseEveryFile(state);
  WriteConsoleLine(state);
  StopAfterKey(state, kContinueLine, 0);
}

void ShowTorsoPage(RunState& state) {
  state.platform.console.Clear();
  WriteConsoleLine(state);
  WriteConsoleLine(state, kCannotContinueLine);
  WriteConsoleLine(state);
  WriteConsoleLine(state, kTorsoLines[0]);
  WriteConsoleLine(state);
  WriteConsoleLine(state, kTorsoLines[1]);
  WriteConsoleLine(state, kTorsoLines[2]);
  WriteConsoleLine(state);
  WriteConsoleLine(state);
  WriteConsoleLine(state);
  StopAfterKey(state, kAbortLine, 0);
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

void ShowBlankLineNotice(RunState& state) {
  state.platform.console.Bell();
  WriteConsoleLine(state, kBlankLineNoticeLine);
  WriteConsoleLine(state);
  ClosingSteps(state);
}

void ShowLineCountNotice(RunState& state, std::uint64_t line_count) {
  state.platform.console.Bell();
  // The count's text ends at its last digit, so the page reads "There are
  // 19lines." with no space before "lines". That is the page as it has always
  // been; keep it.
  WriteConsoleLine(state, "There are" + CountText(line_count) + "lines. There must be 18.");
  WriteConsoleLine(state);
  ClosingSteps(state);
}

void ShowFieldCountNotice(RunState& state, std::uint64_t field_count) {
  state.platform.console.Bell();
  WriteConsoleLine(state, kFourCellsLine);
  // "four cells" and "72" count the cells of the form's rows, while the count
  // shown is of the table's five fields a row, checked against 90. The page has
  // always said so; keep the words, and the same "91cells" run-together as the
  // line count.
  WriteConsoleLine(state, "There are" + CountText(field_count) + "cells, and there should be 72.");
  WriteConsoleLine(state);
  ClosingSteps(state);
}

}  // namespace torsova
