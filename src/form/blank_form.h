// The blank form to fill in a spreadsheet.
#pragma once

#include <string>
#include <string_view>

namespace torsova::form {

// The title line (`title`, then the commas of three empty cells), the
// headings and one row for each of the 18 landmarks, its coordinates empty,
// in the order of every table. torsova drops a title's commas.
//   "Ann" -> "Ann,,,\r\nLabel,X,Y,Z\r\nCRAN,,,\r\nRSHO,,,\r\n...TAIL,,,\r\n"
std::string BlankForm(std::string_view title);

}  // namespace torsova::form
