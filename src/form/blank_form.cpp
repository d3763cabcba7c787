#include "form/blank_form.h"

#include "landmarks/landmark_set.h"

namespace torsova::form {

std::string BlankForm(std::string_view title) {
  std::string form = std::string(title) + ",,,\r\nLabel,X,Y,Z\r\n";
  for (std::string_view label : LandmarkSet) form += std::string(label) + ",,,\r\n";
  return form;
}

}  // namespace torsova::form
