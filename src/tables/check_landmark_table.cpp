#include "tables/check_landmark_table.h"

#include <cstdint>
#include <string>

#include "run/pages.h"
#include "run/run_files.h"
#include "textio/input_file.h"

namespace torsova {
namespace {

// The table as the checks read it back; the name differs from the one it was
// written under only in letter case.

// 18 LandmarkRows of five fields after the title line.
constexpr std::uint64_t kTableLines = 18;
constexpr std::uint64_t kTableFields = 90;

}  // namespace

void CheckLandmarkTable(RunState& state) {
  // No line is looked at beyond its length: the title line may be very long.
  Folder& folder = state.platform.folder;
  {
    // Every line counts, the title included; a line of blanks is not empty.
    InputFile table(folder, kLandmarkTableReadBackName);
    while (!table.AtEnd()) {
      if (table.SkipLine() == 0) ShowBlankLineNotice(state);
    }
  }
  {
    InputFile table(folder, kLandmarkTableReadBackName);
    table.SkipLine();
    std::uint64_t line_count = 0;
    while (!table.AtEnd()) {
      ++line_count;
      table.SkipLine();
    }
    if (line_count != kTableLines) ShowLineCountNotice(state, line_count);
  }
  {
    // Fields run on across lines, so this counts every field after the title.
    InputFile table(folder, kLandmarkTableReadBackName);
    table.SkipLine();
    std::uint64_t field_count = 0;
    while (!table.AtEnd()) {
      table.ReadTextField();
      ++field_count;
    }
    if (field_count != kTableFields) ShowFieldCountNotice(state, field_count);
  }
}

}  // namespace torsova
