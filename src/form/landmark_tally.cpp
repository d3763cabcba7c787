#include "form/landmark_tally.h"

#include <optional>

#include "run/pages.h"

namespace torsova::form {
namespace {

// The landmark the label check reads `label` as: its last four characters,
// upper-cased.
std::size_t LandmarkReadAs(const std::string& label) {
  std::string upper(LastFour(label));
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return *LandmarkPosition(upper) - 1;
}

std::string Named(std::size_t landmark) {
  return std::string(LandmarkSet[landmark]) + ", the " + std::string(LandmarkNames[landmark]);
}

}  // namespace

void LandmarkTally::Add(const FormRow& row) {
  if (const std::optional<std::size_t> position = LandmarkPosition(row.label)) {
    const std::size_t landmark = *position - 1;
    Rows& rows = rows_[landmark];
    if (++rows.count == 1) {
      rows.first = row.row;
      // The row torsova takes the landmark from; measured only when its
      // three coordinates are usable.
      bool usable = true;
      for (const auto& cell : row.coordinates) usable = usable && cell.has_value();
      if (usable) {
        given_[landmark].row = row.row;
        for (std::size_t axis = 0; axis < 3; ++axis)
          given_[landmark].cells[axis] = *row.coordinates[axis];
      }
    } else if (rows.count == 2) {
      rows.second = row.row;
    }
    rows.last = row.row;
  } else if (IsLegitimateLabelCell(row.label)) {
    lenient_.push_back({row.row, row.label, LandmarkReadAs(row.label)});
  }
}

void LandmarkTally::Finish(std::vector<Finding>& findings) const {
  bool any_missing = false;
  for (const Rows& rows : rows_) any_missing = any_missing || rows.count == 0;
  for (const Lenient& lenient : lenient_) {
    const std::string code(LandmarkSet[lenient.landmark]);
    std::string what = lenient.label + " passes the label check as " + Named(lenient.landmark) +
                       ", but torsova counts a landmark only under its exact code";
    const Rows& rows = rows_[lenient.landmark];
    if (rows.count == 0) {
      what += ", so it takes the " + std::string(LandmarkNames[lenient.landmark]) +
              " as missing: write " + code;
    } else {
      what += ", so it passes over this row (" + code + " is on row " + std::to_string(rows.first) +
              ")";
    }
    findings.push_back({FindingKind::kWarning, lenient.row, 0, what});
  }

  for (std::size_t landmark = 0; landmark < kLandmarkCount; ++landmark) {
    const Rows& rows = rows_[landmark];
    const std::string code(LandmarkSet[landmark]);
    if (rows.count >= 2) {
      std::string what = code + " is given ";
      if (rows.count == 2) {
        what += "twice, on rows " + std::to_string(rows.first) + " and " +
                std::to_string(rows.second) + ": torsova takes the first and passes over the other";
      } else {
        what += std::to_string(rows.count) + " times, first on rows " + std::to_string(rows.first) +
                " and " + std::to_string(rows.second) +
                ": torsova takes the first and passes over the others";
      }
      if (code == "CRAN" && any_missing) {
        what += "; it puts the landmarks not in the form at the last, on row " +
                std::to_string(rows.last);
      }
      findings.push_back({FindingKind::kWarning, rows.second, 0, what});
    }
    if (rows.count == 0 && IsTorsoLandmark(code)) {
      findings.push_back({FindingKind::kFault, 0, std::nullopt,
                          Named(landmark) + ", is not in the form: torsova must have points " +
                              std::string(kTorsoLines[2])});
    }
  }
  FindSideDifferences(given_, findings);
}

}  // namespace torsova::form
