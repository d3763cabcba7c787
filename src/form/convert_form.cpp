#include "form/convert_form.h"

#include <vector>

#include "form/sheet_rows.h"

namespace torsova::form {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint64_t kFirstLandmarkRow = 3;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

enum class NumberShape { kNotANumber, kPlain, kDecimalComma, kAmbiguous };

// A cell that holds only a sign, digits, points and commas, with a digit.
NumberShape ShapeOf(std::string_view text, std::string& why) {
  std::string_view t = Trimmed(text);
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
  int digits = 0, points = 0, commas = 0;
  for (char c : t) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else if (c == ',') {
      ++commas;
    } else {
      return NumberShape::kNotANumber;
    }
  }
  if (digits == 0) return NumberShape::kNotANumber;
  if (commas == 0) return NumberShape::kPlain;
  if (points > 0) {
    why = std::string(Trimmed(text)) +
          " has both a point and a comma, so its decimal mark is in doubt";
    return NumberShape::kAmbiguous;
  }
  if (commas > 1) {
    why = std::string(Trimmed(text)) + " has more than one comma, so its decimal mark is in doubt";
    return NumberShape::kAmbiguous;
  }
  return NumberShape::kDecimalComma;
}

std::string_view SeparatorWords(char separator) {
  return separator == ';' ? "semicolons" : separator == '\t' ? "tabs" : "commas";
}

// Whether `raw` has `c` outside its quotes.
bool HasOutsideQuotes(std::string_view raw, char c) {
  if (raw.empty() || raw.front() != '"') return raw.find(c) != std::string_view::npos;
  const std::size_t close = raw.find('"', 1);
  return close != std::string_view::npos && raw.find(c, close + 1) != std::string_view::npos;
}

// Whether `separator` stands between the cells of `line`: it splits the line
// into two or more cells, and no cell holds a comma but as a decimal comma.
bool SeparatesCells(std::string_view line, char separator) {
  SheetRows rows(line, separator);
  SheetRow row;
  if (!rows.Next(row) || row.cells.size() < 2) return false;
  for (const SheetCell& cell : row.cells) {
    const std::string_view raw = line.substr(cell.start, cell.end - cell.start);
    std::string why;
    if (HasOutsideQuotes(raw, ',') && ShapeOf(CellText(raw), why) == NumberShape::kNotANumber) {
      return false;
    }
  }
  return true;
}

}  // namespace

// Lines are taken as they stand, before it is known which quotes count.
char SeparatorOf(std::string_view form) {
  std::uint64_t number = 0;
  while (!form.empty()) {
    std::size_t end = form.find_first_of("\r\n");
    if (end == std::string_view::npos) end = form.size();
    const std::string_view line = form.substr(0, end);
    form.remove_prefix(end);
    if (form.substr(0, 2) == "\r\n") {
      form.remove_prefix(2);
    } else if (!form.empty()) {
      form.remove_prefix(1);
    }
    if (++number < kFirstLandmarkRow) continue;
    for (char separator : {';', '\t'}) {
      if (SeparatesCells(line, separator)) return separator;
    }
    if (!IsBlankCell(line) && line.find_first_not_of(", \t") != std::string_view::npos) return ',';
  }
  return ',';
}

namespace {

class Converter {
 public:
  explicit Converter(std::string_view form) : form_(form) {}

  Conversion Convert() {
    if (form_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      done_.byte_order_mark = true;
      form_.remove_prefix(kByteOrderMark.size());
    }
    done_.separator = SeparatorOf(form_);
    SheetRows rows(form_, done_.separator);
    SheetRow row;
    while (rows.Next(row)) {
      if (!ConvertRow(row)) {
        done_.form.clear();
        return done_;
      }
    }
    done_.converted = true;
    return done_;
  }

 private:
  bool Refuse(std::uint64_t row, std::string why) {
    done_.refused_row = row;
    done_.refusal = std::move(why);
    return false;
  }

  bool RefuseMixed(std::uint64_t row, std::string_view here) {
    done_.separators_mixed = true;
    return Refuse(row, "separators mixed: " + std::string(SeparatorWords(done_.separator)) +
                           " between the cells of the form, " + std::string(here) + " in this row");
  }

  // A landmark row's cell shows no other separator outside its quotes: no tab
  // or semicolon, and no comma but a decimal comma in a form with others.
  bool MixesNoSeparators(std::uint64_t row, std::string_view raw) {
    const char separator = done_.separator;
    for (char other : {';', '\t'}) {
      // Tabs among commas are blanks, which torsova skips.
      if (other != separator && !(separator == ',' && other == '\t') &&
          HasOutsideQuotes(raw, other)) {
        return RefuseMixed(row, SeparatorWords(other));
      }
    }
    std::string why;
    if (separator != ',' && HasOutsideQuotes(raw, ',') &&
        ShapeOf(CellText(raw), why) == NumberShape::kNotANumber) {
      return RefuseMixed(row, "commas");
    }
    return true;
  }

  bool ConvertRow(const SheetRow& row) {
    const std::string_view line_end =
        form_.substr(row.cells.back().end, row.end - row.cells.back().end);
    if (row.line_end && line_end != "\r\n") done_.other_line_ends = true;
    const bool landmark_row = row.number >= kFirstLandmarkRow;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      const SheetCell& cell = row.cells[i];
      const std::string_view raw = form_.substr(cell.start, cell.end - cell.start);
      if (landmark_row && !MixesNoSeparators(row.number, raw)) return false;
      std::string text = CellText(raw);
      if (!raw.empty() && raw.front() == '"') done_.quotes = true;
      if (text.find_first_of("\r\n") != std::string::npos) {
        return Refuse(row.number, CellName(row.number, i) +
                                      " holds a line end, which torsova reads as the end of a row");
      }
      if (row.number > 1 && !ConvertNumber(row.number, text)) return false;
      if (landmark_row && !QuoteIfNeeded(row.number, i, text)) return false;
      if (i > 0) done_.form += ',';
      done_.form += text;
    }
    done_.form += "\r\n";
    return true;
  }

  bool ConvertNumber(std::uint64_t row, std::string& text) {
    std::string why;
    switch (ShapeOf(text, why)) {
      case NumberShape::kAmbiguous:
        return Refuse(row, why);
      case NumberShape::kDecimalComma:
        text[text.find(',')] = '.';
        done_.decimal_commas = true;
        break;
      case NumberShape::kNotANumber:
      case NumberShape::kPlain:
        break;
    }
    return true;
  }

  // A landmark row's cell that holds a comma stays one cell in quotes, which
  // torsova reads as one field; a quote of its own it would read otherwise.
  bool QuoteIfNeeded(std::uint64_t row, std::size_t column, std::string& text) {
    const std::string_view t = Trimmed(text);
    const bool opens_quote = !t.empty() && t.front() == '"';
    const bool has_comma = text.find(',') != std::string::npos;
    if (opens_quote || (has_comma && text.find('"') != std::string::npos)) {
      return Refuse(row, CellName(row, column) +
                             " holds a double quote that torsova would not read as typed");
    }
    if (has_comma) text = "\"" + text + "\"";
    return true;
  }

  std::string_view form_;
  Conversion done_;
};

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

}  // namespace

std::string Conversion::SavedWith() const {
  std::vector<std::string> parts;
  if (separator != ',') parts.emplace_back(SeparatorWords(separator));
  if (decimal_commas) parts.emplace_back("decimal commas");
  return Joined(parts);
}

std::string Conversion::Changes() const {
  std::vector<std::string> changes;
  if (OtherSeparators()) changes.push_back(SavedWith() + " replaced");
  if (quotes) changes.emplace_back("quotes taken away");
  if (byte_order_mark) changes.emplace_back("the byte-order mark taken away");
  if (other_line_ends) changes.emplace_back("line ends made CR LF");
  return changes.empty() ? "nothing to change" : Joined(changes);
}

Conversion ConvertForm(std::string_view form) { return Converter(form).Convert(); }

}  // namespace torsova::form
