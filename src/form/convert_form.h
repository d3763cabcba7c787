// A form saved by a spreadsheet set up otherwise (semicolons or tabs between
// cells, decimal commas, quotes around cells, a byte-order mark, LF line ends)
// made into the plain form torsova reads: commas between cells, decimal
// points, CR LF line ends, every text and number otherwise as typed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torsova::form {

struct Conversion {
  bool converted = false;  // false: refused, `form` empty
  std::uint64_t refused_row = 0;
  std::string refusal;            // why, when refused
  bool separators_mixed = false;  // the refusal's reason

  char separator = ',';  // what stood between the cells: ',', ';' or '\t'
  bool decimal_commas = false;
  bool quotes = false;  // cells were quoted
  bool byte_order_mark = false;
  bool other_line_ends = false;  // a line ended otherwise than with CR LF

  std::string form;

  // Yes when the form was saved with other separators or decimal commas.
  bool OtherSeparators() const { return separator != ',' || decimal_commas; }

  // "semicolons and decimal commas", "tabs", "decimal commas"; empty for
  // a form with commas and decimal points.
  std::string SavedWith() const;

  // What the conversion changed, such as "semicolons and decimal commas
  // replaced, quotes taken away"; "nothing to change" when nothing was.
  std::string Changes() const;
};

// What stands between the cells of the form's first landmark row (row 3 on,
// not blank): ';' or '\t' when it splits the row into cells that hold no
// comma but a decimal comma, ',' otherwise.
char SeparatorOf(std::string_view form);

// The form's separator is the one its first landmark row (row 3 on, not
// blank) has between its cells; every row is split by it. Refused, naming the
// row: a landmark row with another separator (separators mixed), a number
// with both a point and a comma or with several commas, and a cell that the
// plain form cannot hold as typed (a line end inside it, or a quote that
// torsova would read as opening one).
Conversion ConvertForm(std::string_view form);

}  // namespace torsova::form
