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

// The first lines of the pages that refuse the form, and of the notice of
// the landmark table's field count; a page's fault line comes after them.
inline constexpr std::string_view kCannotProceedLine = "Can't proceed.";
inline constexpr std::string_view kCannotContinueLine = "Can't continue.";
inline constexpr std::string_view kFourCellsLine = "You do not have four cells in each row. ";

// The line of each page that names what is wrong, as the page shows it.
//   NotANumberLine("12a") -> "12a is not a number."
//   UnknownLabelLine("lder") -> "lder is not a legitimate anatomical label."
inline constexpr std::string_view kBlankCellLine =
    "You have a blank cell in the rows of the .CSV form you filled in.";
std::string NotANumberLine(std::string_view cell);
std::string TooLargeLine(std::string_view cell);
std::string UnknownLabelLine(std::string_view last_four);
// The torso page spreads its words over these three lines.
inline constexpr std::string_view kTorsoLines[] = {"Either no file BodyXYZ.CSV has been saved.",
                                                   "Or no torso is present. You must have points",
                                                   "CRAN, LSHO, RSHO, LPEL, RPEL."};
inline constexpr std::string_view kBlankLineNoticeLine =
    "There is a blank line in the individual's data.";

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
