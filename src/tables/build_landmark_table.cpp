#include "tables/build_landmark_table.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "landmarks/landmark_set.h"
#include "run/pages.h"
#include "run/run_files.h"
#include "textio/input_file.h"

namespace torsova {
namespace {

// One data row of the form as the table build reads it.
struct FormRow {
  std::string label;
  double x = 0;
  double y = 0;
  float z = 0;
};

FormRow ReadFormRow(InputFile& form) {
  FormRow row;
  row.label = form.ReadTextField();
  row.x = form.ReadDoubleField();
  row.y = form.ReadDoubleField();
  row.z = form.ReadSingleField();
  return row;
}

// Opens the form and reads past its title and heading lines.
std::unique_ptr<InputFile> OpenFormAtRows(Folder& folder) {
  auto form = std::make_unique<InputFile>(folder, kFormName);
  form->SkipLine();
  form->SkipLine();
  return form;
}

// One LandmarkRow: presence, label, x, y, z. A given RKNE keeps x and y in
// full as plain doubles; every other row puts them through the mask.
void WriteLandmarkRow(OutputChannel& table, std::int16_t presence, std::string_view label,
                      const FormRow& point) {
  table.WritePlainInteger(presence);
  table.WriteText(",");
  table.WriteText(label);
  table.WriteText(",");
  if (presence == 1 && label == "RKNE") {
    table.WritePlainDouble(point.x);
    table.WriteText(",");
    table.WritePlainDouble(point.y);
  } else {
    table.WriteMaskNumber(point.x);
    table.WriteText(",");
    table.WriteMaskNumber(point.y);
  }
  table.WriteText(",");
  table.WritePlainSingle(point.z, true);
}

}  // namespace

void BuildLandmarkTable(RunState& state) {
  Folder& folder = state.platform.folder;
  if (!state.landmark_table)
    state.landmark_table = std::make_unique<OutputChannel>(folder, kLandmarkTableName);
  OutputChannel& table = *state.landmark_table;

  // First pass: the last CRAN row of the form is the FallbackPoint.
  FormRow fallback_point;
  {
    std::unique_ptr<InputFile> form = OpenFormAtRows(folder);
    for (std::uint64_t r = 0; r < state.DataRowCount; ++r) {
      FormRow row = ReadFormRow(*form);
      if (row.label == "CRAN") fallback_point = row;
    }
  }

  // Second pass. While the first data row is handled every missing landmark
  // gets its fallback row; after that each landmark is written from the first
  // data row that carries its label exactly.
  std::unique_ptr<InputFile> form = OpenFormAtRows(folder);
  table.WriteText(state.FormTitle, true);
  std::array<bool, kLandmarkCount> written_flags{};
  for (std::uint64_t r = 0; r < state.DataRowCount; ++r) {
    const FormRow row = ReadFormRow(*form);
    for (std::size_t i = 0; i < kLandmarkCount; ++i) {
      const std::string_view label = LandmarkSet[i];
      const bool present = IsTorsoLandmark(label) || state.PresenceFlags[i];
      if (present && !written_flags[i] && row.label == label) {
        WriteLandmarkRow(table, 1, label, row);
        written_flags[i] = true;
      }
      if (!present && !written_flags[i]) {
        WriteLandmarkRow(table, 0, label, fallback_point);
        written_flags[i] = true;
      }
    }
  }

  form.reset();
  const std::string table_name = table.name();
  const bool table_complete = table.Close();
  state.landmark_table.reset();
  if (!table_complete) ShowWriteFailurePage(state, table_name);
}

}  // namespace torsova
