#include "form/sheet_rows.h"

#include <algorithm>

namespace torsova::form {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::size_t SheetRow::CellAt(std::uint64_t position) const {
  const auto after =
      std::upper_bound(cells.begin(), cells.end(), position,
                       [](std::uint64_t p, const SheetCell& cell) { return p < cell.start; });
  return after == cells.begin() ? 0 : static_cast<std::size_t>(after - cells.begin()) - 1;
}

SheetRows::SheetRows(std::string_view bytes, char separator)
    : bytes_(bytes), separator_(separator) {}

bool SheetRows::OpensQuote(std::uint64_t at) const {
  if (at >= bytes_.size() || bytes_[at] != '"') return false;
  // Two quotes stand for one inside; a quote that is never closed opens none.
  for (std::uint64_t i = at + 1; i < bytes_.size(); ++i) {
    if (bytes_[i] != '"') continue;
    if (i + 1 < bytes_.size() && bytes_[i + 1] == '"') {
      ++i;
    } else {
      return true;
    }
  }
  return false;
}

bool SheetRows::Next(SheetRow& row) {
  const std::uint64_t size = bytes_.size();
  if (at_ >= size) return false;
  row.number = ++number_;
  row.start = at_;
  row.line_end = false;
  row.cells.clear();
  std::uint64_t cell_start = at_;
  std::uint64_t i = at_;
  bool quote_open = OpensQuote(i);
  if (quote_open) ++i;
  while (i < size) {
    const char c = bytes_[i];
    if (quote_open) {
      if (c == '"') {
        if (i + 1 < size && bytes_[i + 1] == '"') {
          i += 2;
          continue;
        }
        quote_open = false;
      }
      ++i;
      continue;
    }
    if (c == separator_) {
      row.cells.push_back({cell_start, i});
      cell_start = ++i;
      quote_open = OpensQuote(i);
      if (quote_open) ++i;
      continue;
    }
    if (c == '\n' || c == '\r') {
      row.cells.push_back({cell_start, i});
      i += (c == '\r' && i + 1 < size && bytes_[i + 1] == '\n') ? 2 : 1;
      row.line_end = true;
      row.end = at_ = i;
      return true;
    }
    ++i;
  }
  row.cells.push_back({cell_start, size});
  row.end = at_ = size;
  return true;
}

std::string CellText(std::string_view raw) {
  if (raw.empty() || raw.front() != '"') return std::string(raw);
  std::string text;
  std::size_t i = 1;
  for (; i < raw.size(); ++i) {
    if (raw[i] != '"') {
      text += raw[i];
    } else if (i + 1 < raw.size() && raw[i + 1] == '"') {
      text += '"';
      ++i;
    } else {
      break;
    }
  }
  // What follows the closing quote belongs to the cell as it stands.
  if (i < raw.size()) text.append(raw.substr(i + 1));
  return text;
}

bool IsBlankCell(std::string_view raw) {
  std::size_t i = 0;
  while (i < raw.size() && IsBlank(raw[i])) ++i;
  if (i + 2 <= raw.size() && raw.substr(i, 2) == "\"\"") i += 2;
  while (i < raw.size() && IsBlank(raw[i])) ++i;
  return i == raw.size();
}

std::string ColumnName(std::size_t column) {
  std::string name;
  for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return name;
}

std::string CellName(std::uint64_t row_number, std::size_t column) {
  return ColumnName(column) + std::to_string(row_number);
}

}  // namespace torsova::form
