// Landmark forms and the exact console text of the pages that refuse them,
// shared by the stage tests and the end-to-end tests. The texts hold neither
// the clear nor the key: a recording console adds "[clear]" and "[key]", a
// real run on a pipe shows neither.
#pragma once

#include <string>
#include <vector>

#include "landmarks/landmark_set.h"

namespace torsova::testing {

// A form with a title line, a heading line and `rows`, each ended by CR LF.
inline std::string FormOf(const std::vector<std::string>& rows) {
  std::string form = "Subject,,,\r\nLabel,X,Y,Z\r\n";
  for (const std::string& row : rows) form += row + "\r\n";
  return form;
}

// One row per torso landmark, with small plain coordinates.
inline std::vector<std::string> TorsoRows() {
  std::vector<std::string> rows;
  for (std::string_view label : TorsoLandmarks) rows.push_back(std::string(label) + ",1,2,3");
  return rows;
}

inline const std::string kContinueKeyLine = "                 Press any key to continue\r\n";

inline std::string BlankCellPageText() {
  return "\r\n\r\nCan't proceed.\r\n\r\n"
         "You have a blank cell in the rows of the .CSV form you filled in.\r\n\r\n" +
         kContinueKeyLine;
}

inline std::string NotANumberPageText(const std::string& cell) {
  return "\r\n\r\nCan't proceed.\r\n\r\n" + cell +
         " is not a number.\r\n\r\nEdit the .CSV form you filled in.\r\n\r\n" + kContinueKeyLine;
}

inline std::string TooLargePageText(const std::string& cell) {
  return "\r\n\r\nCan't proceed.\r\n\r\n" + cell +
         " is too large a coordinate.\r\n\r\nEdit the .CSV form you filled in.\r\n\r\n" +
         kContinueKeyLine;
}

inline std::string UnknownLabelPageText(const std::string& last_four) {
  return "Can't continue.\r\n\r\n" + last_four +
         " is not a legitimate anatomical label.\r\n\r\nEdit the .CSV form you filled in.\r\n\r\n" +
         kContinueKeyLine;
}

inline std::string TorsoPageText() {
  return "\r\nCan't continue.\r\n\r\nEither no file BodyXYZ.CSV has been saved.\r\n\r\n"
         "Or no torso is present. You must have points\r\nCRAN, LSHO, RSHO, LPEL, RPEL.\r\n"
         "\r\n\r\n\r\n                 Press any key to abort\r\n";
}

}  // namespace torsova::testing
