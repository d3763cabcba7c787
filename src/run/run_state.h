// The one record a run keeps in memory: the values a stage leaves for a later
// stage, the files that stay open from one stage to another, and the platform
// the stages reach the system through.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "landmarks/landmark_set.h"
#include "platform/platform.h"
#include "textio/input_file.h"
#include "textio/output_channel.h"

namespace torsova {

struct RunState {
  explicit RunState(Platform platform_in) : platform(platform_in) {}

  Platform platform;

  // Line 1 of the form with every comma removed.
  std::string FormTitle;
  // The number of data rows of the form.
  std::uint64_t DataRowCount = 0;
  // The label cell of each data row, exactly as read, in row order.
  std::vector<std::string> FormLabels;
  // Which of the 18 landmarks some label cell names exactly, in LandmarkSet order.
  std::array<bool, kLandmarkCount> PresenceFlags{};
  // The presence field of the sorted landmark table, in LandmarkSet order.
  std::array<float, kLandmarkCount> TablePresenceFlags{};

  // "Work2.CSV", created by the cell check and written by the table build.
  std::unique_ptr<OutputChannel> landmark_table;
  // "Work4.CSV" and "3D_BODY.ROT", left open by the figure writer for the
  // clean-up to close.
  std::unique_ptr<InputFile> figure_table;
  std::unique_ptr<OutputChannel> figure_file;
};

// Closes every file the run holds open. Returns the name of the first written
// file that did not reach the disk whole, if any.
std::optional<std::string> CloseEveryFile(RunState& state);

}  // namespace torsova
