#include "form/sheet_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torsova::form {
namespace {

TEST(SheetRowsTest, NamesColumnsAsASpreadsheetDoes) {
  const std::vector<std::pair<std::size_t, std::string>> names = {
      {0, "A"}, {3, "D"}, {25, "Z"}, {26, "AA"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}};
  for (const auto& [column, name] : names) EXPECT_EQ(ColumnName(column), name) << column;
  EXPECT_EQ(CellName(5, 1), "B5");
}

// Each row as its cells' texts joined by "|", rows by "/".
std::string Split(const std::string& bytes, char separator = ',') {
  SheetRows rows(bytes, separator);
  SheetRow row;
  std::string shown;
  while (rows.Next(row)) {
    shown += std::to_string(row.number) + ":";
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      const SheetCell& cell = row.cells[i];
      shown += (i > 0 ? "|" : "") + CellText(bytes.substr(cell.start, cell.end - cell.start));
    }
    shown += row.line_end ? "/" : "";
  }
  return shown;
}

TEST(SheetRowsTest, SplitsRowsAtLineEndsAndCellsOutsideQuotes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a,b\r\nc\n\nd\re", "1:a|b/2:c/3:/4:d/5:e"},
      {"a,\"b,\"\"c\"\"\r\nd\",e\r\n", "1:a|b,\"c\"\r\nd|e/"},
      {"\"ab\"cd,e", "1:abcd|e"},
      {",,\r\n", "1:||/"},
      {"a;b,c", "1:a;b|c"},
  };
  for (const auto& [bytes, rows] : cases) EXPECT_EQ(Split(bytes), rows) << bytes;
  EXPECT_EQ(Split("a;b,c", ';'), "1:a|b,c");
}

}  // namespace
}  // namespace torsova::form
