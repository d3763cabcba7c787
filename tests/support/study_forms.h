// A generated study: forms of varied bodies (taller and shorter, each landmark
// a little off the example's place) with chosen typing mistakes planted, and
// the figures torsova writes for them, made by whole runs in memory.
#pragma once

#include <cstddef>
#include <string>

namespace torsova::testing {

enum class Planted {
  kNone,
  kKneesHigh,     // both knees typed 40 higher: thighs short, shanks long, sides alike
  kMillimetres,   // the whole form in millimetres
  kRightElbowUp,  // the right elbow's height typed 18 too high
  kNoRightKnee,   // RKNE left out of the form
};

// The form of body `index` of a study: its proportions and size drawn from
// `index` alone, so the same index gives the same form everywhere.
std::string StudyForm(std::size_t index, Planted planted = Planted::kNone);

// The figure torsova writes for `form` (the form must be one it accepts).
std::string FigureOfForm(const std::string& form);

}  // namespace torsova::testing
