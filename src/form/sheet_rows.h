// A form as a spreadsheet shows it: rows end at a line end (CR LF, LF or a
// lone CR), cells at the separator, and a cell that begins with a double
// quote runs to its closing quote, separators and line ends inside it
// included ("" inside stands for one quote); a quote never closed is a
// character like any other. torsova reads the same bytes as
// a stream of fields; the two views are told apart by the bytes' positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torsova::form {

// The bytes of one cell, [start, end) of the form, without its separator or
// line end.
struct SheetCell {
  std::uint64_t start = 0;
  std::uint64_t end = 0;
};

struct SheetRow {
  std::uint64_t number = 0;  // from 1
  std::uint64_t start = 0;
  std::uint64_t end = 0;         // after its line end
  bool line_end = false;         // false for a last row that the form's end ends
  std::vector<SheetCell> cells;  // never empty: an empty line is one empty cell

  // The cell that holds the byte at `position`, a position of the row; a
  // cell's separator counts as its own.
  std::size_t CellAt(std::uint64_t position) const;
};

class SheetRows {
 public:
  explicit SheetRows(std::string_view bytes, char separator = ',');

  // The next row; false after the last. The line end of the last row ends it,
  // it does not begin another.
  bool Next(SheetRow& row);

 private:
  // Whether a cell that begins at `at` is quoted.
  bool OpensQuote(std::uint64_t at) const;

  std::string_view bytes_;
  char separator_;
  std::uint64_t at_ = 0;
  std::uint64_t number_ = 0;
};

// A cell's text as the spreadsheet shows it, its quotes taken away:
//   "\"a,\"\"b\"\"\"" -> "a,\"b\""    "12" -> "12"    "\"ab\"cd" -> "abcd"
std::string CellText(std::string_view raw);

// True when torsova reads nothing in the cell: blanks and tabs only, or an
// empty pair of quotes.
bool IsBlankCell(std::string_view raw);

// "A" to "Z", then "AA", "AB", ...: the column of a cell, from 0.
std::string ColumnName(std::size_t column);

// A cell as the spreadsheet names it, by the row's number and the column from
// 0: (5, 1) -> "B5".
std::string CellName(std::uint64_t row_number, std::size_t column);

}  // namespace torsova::form
