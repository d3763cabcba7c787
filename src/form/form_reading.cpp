#include "form/form_reading.h"

#include <cstddef>
#include <utility>

#include "form/form_folder.h"
#include "form/sheet_rows.h"
#include "intake/form_cells.h"
#include "landmarks/landmark_set.h"
#include "run/pages.h"
#include "textio/input_file.h"

namespace torsova::form {
namespace {

constexpr std::size_t kRowCells = 4;

// The words of torsova's page for a cell's fault.
std::string FaultWords(CoordinateCellFault fault, const std::string& text) {
  switch (fault) {
    case CoordinateCellFault::kBlank:
      return std::string(kBlankCellLine);
    case CoordinateCellFault::kNotANumber:
      return NotANumberLine(text);
    case CoordinateCellFault::kTooLarge:
      return TooLargeLine(text);
    case CoordinateCellFault::kNone:
      break;
  }
  return {};
}

std::string OutOfStepRow(std::size_t cells) {
  const std::string count = std::to_string(cells) + (cells == 1 ? " cell" : " cells");
  if (cells % kRowCells == 0) {
    return "the row has " + count + ", not 4: torsova reads it as " +
           std::to_string(cells / kRowCells) + " landmark rows";
  }
  return "the row has " + count +
         ", not 4: torsova reads the cells one after another across the rows, so every later "
         "cell lands in the wrong column";
}

// Where a field begins, in the spreadsheet's terms.
struct Place {
  std::uint64_t row = 0;
  std::size_t column = 0;
  bool beyond = false;  // after the form's last row: no cell of the spreadsheet
};

class FormReader {
 public:
  FormReader(std::string_view form, std::vector<Finding>& findings,
             const std::function<void(const FormRow&)>& row_read)
      : form_(form), rows_(form), findings_(findings), row_read_(row_read) {
    if (rows_.Next(row_)) NewRow();
  }

  void Read() {
    FormOnlyFolder folder(form_);
    InputFile in(folder, kFormName);
    std::string title, headings;
    in.ReadLine(title);
    in.ReadLine(headings);
    const std::uint64_t title_rows = TellLinesOfRows(1, title, "title");
    TellLinesOfRows(1 + title_rows, headings, "headings");
    DropCommas(title);
    if (title.empty()) {
      Add(FindingKind::kFault, 1, std::nullopt,
          "the title is empty once torsova drops its commas: " + std::string(kBlankLineNoticeLine));
    }
    WalkFormCells(in, [this](FormCell& cell) {
      Visit(cell);
      return true;
    });
    CloseRow();
    if (out_of_step_ && !told_out_of_step_) {
      Add(FindingKind::kOutOfStep, out_of_step_row_, std::nullopt,
          "torsova reads the cells after this row out of step with the spreadsheet");
    }
    TellWhatIsNotRead();
  }

 private:
  void Add(FindingKind kind, std::uint64_t row, std::optional<std::size_t> column,
           std::string what) {
    if (kind == FindingKind::kOutOfStep) told_out_of_step_ = true;
    findings_.push_back({kind, row, column, std::move(what)});
  }

  // A line torsova reads whole, and a spreadsheet as several rows: a lone CR
  // ends a row but no line. Returns how many rows the line is.
  std::uint64_t TellLinesOfRows(std::uint64_t row, const std::string& line, std::string_view what) {
    std::uint64_t returns = 0;
    for (char c : line) returns += c == '\r';
    if (returns > 0) {
      Add(FindingKind::kOutOfStep, row, std::nullopt,
          "torsova reads this row and the next " + std::to_string(returns) + " as one line, the " +
              std::string(what) +
              ": a CR alone ends a row for a spreadsheet but no line for torsova "
              "(`torsova-form convert` writes a copy with CR LF line ends)");
    }
    return returns + 1;
  }

  // The row and cell that hold `position`, closing the rows passed on the way.
  Place Locate(std::uint64_t position) {
    while (!row_.cells.empty() && position >= row_.end) {
      SheetRow& next = next_;  // kept, so that its cells' room is reused
      if (!rows_.Next(next)) {
        // A field read at the very end: after the last cell of a row that the
        // form's end ends, or in no row at all after a last line end.
        if (!row_.line_end) return {row_.number, row_.cells.size(), false};
        CloseRow();
        return {row_.number + 1, 0, true};
      }
      CloseRow();
      std::swap(row_, next);
      NewRow();
    }
    if (row_.cells.empty()) return {1, 0, true};
    return {row_.number, row_.CellAt(position), false};
  }

  void NewRow() {
    row_closed_ = false;
    fields_in_row_ = 0;
    irregular_row_ = false;
    // A row of 8 cells is 2 landmark rows to torsova, and to the user who
    // typed them so; a row of 5 is 1 with a cell too many.
    const std::size_t groups =
        row_.cells.size() % kRowCells == 0 ? row_.cells.size() / kRowCells : 1;
    landmark_rows_.assign(groups, FormRow{row_.number, {}, {}});
    labelled_.assign(groups, false);
    faults_.clear();
    fields_in_cell_.assign(row_.cells.size() + 1, 0);
  }

  void Visit(const FormCell& cell) {
    const Place place = Locate(cell.start);
    if (first_data_row_ == 0) StartData(place.row);
    if (place.beyond) {
      NoteStep(false, place.row);
      return;
    }
    ++fields_in_row_;
    const std::size_t column = place.column;
    const bool first_in_cell = fields_in_cell_[column]++ == 0;
    irregular_row_ = irregular_row_ || !first_in_cell;
    if (first_in_cell && seen_field_ && last_row_ == place.row && column > last_column_ + 1) {
      irregular_row_ = true;
      Add(FindingKind::kOutOfStep, place.row, last_column_,
          "torsova reads " + CellName(place.row, last_column_) + " to " +
              CellName(place.row, column - 1) +
              " as one cell (a double quote after blanks opens a quote for torsova, and it "
              "runs past the commas), so the cells after it are read out of step");
    }
    // Cells beyond the fourth are a landmark row's only in a row of 8, 12, ...
    const bool landmark_cell = column < landmark_rows_.size() * kRowCells;
    NoteStep(
        first_in_cell && landmark_cell && column % kRowCells == static_cast<std::size_t>(cell.role),
        place.row);
    last_row_ = place.row;
    last_column_ = column;
    seen_field_ = true;
    if (first_in_cell && landmark_cell) Judge(cell, column);
  }

  // Keeps the row where torsova's reading first leaves the spreadsheet's
  // columns, for the case that nothing else names it.
  void NoteStep(bool in_place, std::uint64_t row) {
    if (!in_place && !out_of_step_) {
      out_of_step_ = true;
      out_of_step_row_ = last_in_place_row_ > 0 ? last_in_place_row_ : row;
    }
    if (in_place) last_in_place_row_ = row;
  }

  // Judges the field by the rules of the column it stands in: the rules
  // torsova applies to it, unless it reads the row out of step.
  void Judge(const FormCell& cell, std::size_t column) {
    FormRow& landmark_row = landmark_rows_[column / kRowCells];
    const std::size_t role = column % kRowCells;
    if (role == 0) {
      landmark_row.label = cell.text;
      labelled_[column / kRowCells] = true;
      if (cell.text.empty()) {
        faults_.emplace_back(column, std::string(kBlankCellLine));
      } else if (!IsLegitimateLabelCell(cell.text)) {
        faults_.emplace_back(column, UnknownLabelLine(LastFour(cell.text)));
      }
      return;
    }
    const bool as_read = static_cast<std::size_t>(cell.role) == role;
    const CoordinateCellFault fault = as_read ? cell.fault : CheckCoordinateCell(cell.text);
    if (fault == CoordinateCellFault::kNone) {
      landmark_row.coordinates[role - 1] = cell.text;
    } else {
      faults_.emplace_back(column, FaultWords(fault, cell.text));
    }
  }

  void StartData(std::uint64_t row) {
    first_data_row_ = row;
    if (row != 3) {
      Add(FindingKind::kWarning, row, std::nullopt,
          "torsova reads this row as the first landmark row: it takes its first two lines "
          "for the title and the headings");
    } else if (IsLegitimateLabelCell(heading_label_)) {
      Add(FindingKind::kWarning, 2, std::nullopt,
          "torsova takes this row for the headings and reads nothing in it, so its landmark " +
              heading_label_ + " is left out");
    }
  }

  std::string_view Raw(const SheetCell& cell) const {
    return form_.substr(cell.start, cell.end - cell.start);
  }

  void CloseRow() {
    if (row_closed_ || row_.cells.empty()) return;
    row_closed_ = true;
    if (first_data_row_ == 0) {
      // A row before the landmark rows: the title or the headings.
      if (row_.number == 2) heading_label_ = CellText(Raw(row_.cells.front()));
      return;
    }
    if (fields_in_row_ == 0) return;  // after a byte 26: torsova reads none of it
    bool blank = true;
    for (const SheetCell& cell : row_.cells) blank = blank && IsBlankCell(Raw(cell));
    if (blank) {
      Add(FindingKind::kFault, row_.number, std::nullopt,
          "the row is empty, and torsova reads it as a landmark row: " +
              std::string(kBlankCellLine));
      told_out_of_step_ = true;  // the cells after it are, and this is why
      return;
    }
    if (row_.cells.size() != kRowCells) {
      Add(FindingKind::kOutOfStep, row_.number, std::nullopt, OutOfStepRow(row_.cells.size()));
    }
    // Which of such a row's cells means which coordinate is anybody's guess.
    const bool irregular = row_.cells.size() % kRowCells != 0 || irregular_row_;
    for (auto& [column, words] : faults_) {
      Add(FindingKind::kFault, row_.number, column, std::move(words));
    }
    for (std::size_t column = 0; column < row_.cells.size(); ++column) {
      if (fields_in_cell_[column] > 1) TellCellReadAsMany(column);
    }
    for (std::size_t i = 0; i < landmark_rows_.size(); ++i) {
      if (irregular) landmark_rows_[i].coordinates = {};
      if (labelled_[i]) row_read_(landmark_rows_[i]);
    }
  }

  void TellCellReadAsMany(std::size_t column) {
    const std::string_view raw = Raw(row_.cells[column]);
    std::string why = "a closing quote ends a cell for torsova";
    if (raw.find_first_of("\r\n") != std::string_view::npos) {
      why = "torsova ends a cell at a line end, even inside quotes";
    } else if (raw.size() > 4096) {
      why = "torsova reads at most 4096 characters as one cell";
    }
    Add(FindingKind::kOutOfStep, row_.number, column,
        "torsova reads this cell as " + std::to_string(fields_in_cell_[column]) + " cells (" + why +
            "), so the cells after it are read out of step");
  }

  // torsova reads nothing after a byte 26; a spreadsheet shows what follows.
  void TellWhatIsNotRead() {
    const std::size_t end_mark = form_.find('\x1a');
    if (end_mark == std::string_view::npos) return;
    if (form_.find_first_not_of("\r\n\x1a", end_mark) == std::string_view::npos) return;
    SheetRows rows(form_);
    SheetRow row;
    while (rows.Next(row) && row.end <= end_mark) {
    }
    Add(FindingKind::kWarning, row.number, std::nullopt,
        "torsova reads nothing after the byte 26 (Ctrl-Z) in this row: the rest of the form is "
        "lost to it");
  }

  std::string_view form_;
  SheetRows rows_;
  SheetRow row_;  // no cells before the first row and in a form without rows
  SheetRow next_;
  std::vector<Finding>& findings_;
  const std::function<void(const FormRow&)>& row_read_;

  std::uint64_t first_data_row_ = 0;
  std::string heading_label_;

  // The current row: its fields, its landmark row and its faults, told once
  // the row is known not to be empty.
  bool row_closed_ = false;
  std::size_t fields_in_row_ = 0;
  std::vector<std::size_t> fields_in_cell_;
  bool irregular_row_ = false;  // a cell read as several fields, or several as one
  std::vector<FormRow> landmark_rows_;
  std::vector<bool> labelled_;
  std::vector<std::pair<std::size_t, std::string>> faults_;

  bool seen_field_ = false;
  std::uint64_t last_row_ = 0;
  std::size_t last_column_ = 0;
  std::uint64_t last_in_place_row_ = 0;
  bool out_of_step_ = false;
  std::uint64_t out_of_step_row_ = 0;
  bool told_out_of_step_ = false;
};

}  // namespace

void ReadForm(std::string_view form, std::vector<Finding>& findings,
              const std::function<void(const FormRow&)>& row_read) {
  FormReader(form, findings, row_read).Read();
}

}  // namespace torsova::form
