// The console pages that stop a run. Each writes its lines from the current
// console position, waits for a key and ends the run; none returns.
#pragma once

#include <cstdint>
#include <string_view>

#include "run/run_state.h"

namespace torsova {

// The two key lines (17 spaces, then the words).
inline constexpr std::string_view kContinueLine = "                 Press any key to continue";
inline constexpr std::string_view kAbortLine = "                 Press any key to abort";

// Writes `text` and the line end to the console.
void WriteConsoleLine(RunState& state, std::string_view text = {});

// Refusals of the form: after the key every file is closed and the run ends
// with status 0.
[[noreturn]] void ShowBlankCellPage(RunState& state);
[[noreturn]] void ShowNotANumberPage(RunState& state, std::string_view cell);
[[noreturn]] void ShowTooLargePage(RunState& state, std::string_view cell);
[[noreturn]] void ShowUnknownLabelPage(RunState& state, std::string_view last_four);
[[noreturn]] void ShowTorsoPage(RunState& state);

// Refusals of the landmark table: the bell, the notice, then the closing
// steps that hand over to the viewer.
[[noreturn]] void ShowBlankLineNotice(RunState& state);
[[noreturn]] void ShowLineCountNotice(RunState& state, std::uint64_t line_count);
[[noreturn]] void ShowFieldCountNotice(RunState& state, std::uint64_t field_count);

// A file of the run that could not be written whole: after the key every file
// is closed and the run ends with status 1, without a viewer.
[[noreturn]] void ShowWriteFailurePage(RunState& state, std::string_view file_name);

// The end of the notices and of a successful run: the key line, the key,
// every file closed, then the viewer in place of this program; status 0 when
// the viewer cannot be started.
[[noreturn]] void ClosingSteps(RunState& state);

}  // namespace torsova
