// What torsova itself makes of a form: its own seven stages run on the
// form's bytes in a folder held in memory, with a console that keeps the page
// and a process whose end ends only the stages. The verdict is thus torsova's
// by construction, never a second opinion.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "landmarks/landmark_set.h"

namespace torsova::form {

struct TorsovaVerdict {
  bool accepted = false;  // the run reached SUCCESS and wrote the figure
  // The line of the page that names the fault, as torsova writes it, without
  // its line end; empty when accepted. The torso page's first line stands for
  // the whole page.
  std::string page_line;
  // The landmarks the label check found, in LandmarkSet order; all no when the
  // run stopped before it.
  std::array<bool, kLandmarkCount> present{};
};

// Runs torsova on `form` as "BodyXYZ.CSV" of an otherwise empty folder.
TorsovaVerdict RunTorsovaOn(std::string_view form);

}  // namespace torsova::form
