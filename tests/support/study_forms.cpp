#include "support/study_forms.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <vector>

#include "run/run_sequence.h"
#include "support/accepted_form.h"
#include "support/fake_platform.h"
#include "support/memory_folder.h"
#include "textio/decimal_conversion.h"

namespace torsova::testing {
namespace {

// A small generator of its own, so the study is the same on every library.
class Draws {
 public:
  explicit Draws(std::size_t seed) : state_(0x9E3779B97F4A7C15u * (seed + 1)) {}
  // Evenly between low and high.
  double Between(double low, double high) {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return low + (high - low) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }

 private:
  std::uint64_t state_;
};

std::string Decimal(double value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr;
  std::string digits(text, end);
  return digits == "-0.0" ? "0.0" : digits;
}

}  // namespace

std::string StudyForm(std::size_t index, Planted planted) {
  Draws draws(index);
  const double size = draws.Between(0.87, 1.13);
  std::vector<std::string> rows;
  for (const std::string& row : ExampleRows()) {
    const std::string label = row.substr(0, 4);
    if (planted == Planted::kNoRightKnee && label == "RKNE") continue;
    double at[3];
    std::size_t start = 5;
    for (double& value : at) {
      const std::size_t comma = row.find(',', start);
      value = DecimalToDouble(row.substr(start, comma - start));
      start = comma + 1;
    }
    for (double& value : at) value = value * size + draws.Between(-0.3, 0.3);
    if (planted == Planted::kKneesHigh && (label == "RKNE" || label == "LKNE")) at[2] += 40;
    if (planted == Planted::kRightElbowUp && label == "RELB") at[2] += 18;
    if (planted == Planted::kMillimetres) {
      for (double& value : at) value *= 10;
    }
    rows.push_back(label + "," + Decimal(at[0]) + "," + Decimal(at[1]) + "," + Decimal(at[2]));
  }
  const std::string number = std::to_string(1000 + index).substr(1);
  return MakeForm("Subject " + number, rows);
}

std::string FigureOfForm(const std::string& form) {
  MemoryFolder folder;
  folder.files["BodyXYZ.CSV"] = form;
  RecordingConsole console;
  FakeProcess process;
  RunState state(Platform{console, folder, process});
  try {
    RunSequence(state);
  } catch (const RunEnded&) {
  }
  EXPECT_EQ(folder.files.count("3D_BODY.ROT"), 1u) << console.transcript;
  return folder.files["3D_BODY.ROT"];
}

}  // namespace torsova::testing
