// What the landmark rows of a form come to for torsova: which landmarks it
// counts as given, from which row, and which rows it passes over.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "form/findings.h"
#include "form/form_reading.h"
#include "form/side_differences.h"
#include "landmarks/landmark_set.h"

namespace torsova::form {

class LandmarkTally {
 public:
  // Counts a row, in the form's order.
  void Add(const FormRow& row);

  // Adds what the rows come to: labels the label check reads as a landmark
  // that torsova still does not count, landmarks given more than once, torso
  // landmarks not in the form, and the marked side differences of the body.
  void Finish(std::vector<Finding>& findings) const;

  // Each landmark as the form gives it on the row torsova takes it from.
  const GivenLandmarks& given() const { return given_; }

 private:
  // Rows of one landmark's exact code.
  struct Rows {
    std::uint64_t count = 0;
    std::uint64_t first = 0, second = 0, last = 0;
  };
  // A label that passes the label check without being the exact code.
  struct Lenient {
    std::uint64_t row = 0;
    std::string label;
    std::size_t landmark = 0;
  };

  std::array<Rows, kLandmarkCount> rows_{};
  GivenLandmarks given_{};
  std::vector<Lenient> lenient_;
};

}  // namespace torsova::form
