#include "tables/check_landmark_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "landmarks/landmark_set.h"
#include "support/fake_platform.h"

namespace torsova {
namespace {

using testing::FakeRun;
using testing::RunEnded;

const std::string kClosing = "\r\n\r\n                 Press any key to continue\r\n[key]";

// A well-formed landmark table: the title line and 18 rows of five fields.
std::string TableRows() {
  std::string rows;
  for (std::string_view label : LandmarkSet) {
    rows += " 1 ," + std::string(label) + ",          1.00 ,         -2.00 , 3\r\n";
  }
  return rows;
}

TEST(CheckLandmarkTableTest, WellFormedTablesPass) {
  const std::string rows = TableRows();
  const std::vector<std::pair<const char*, std::string>> tables = {
      {"ordinary", "Subject\r\n" + rows},
      {"title of blanks", "   \r\n" + rows},
      {"last line without its line end", "Subject\r\n" + rows.substr(0, rows.size() - 2)},
  };
  for (const auto& [name, table] : tables) {
    FakeRun run;
    run.scratch.Write("Work2.CSV", table);
    EXPECT_FALSE(run.Until(CheckLandmarkTable)) << name;
    EXPECT_EQ(run.console.transcript, "") << name;
    EXPECT_EQ(run.scratch.Read("Work2.CSV"), table) << name;
  }
}

TEST(CheckLandmarkTableTest, MisshapenTablesRingShowTheirNoticeAndGoOnToTheViewer) {
  const std::string rows = TableRows();
  std::string broken_row = rows;  // one row broken over two lines
  broken_row.replace(broken_row.find("RELB,") + 5, 0, "\r\n");
  std::string extra_comma = rows;
  extra_comma.replace(extra_comma.find("RELB,") + 5, 0, ",");
  const std::string blank_line = "[bell]There is a blank line in the individual's data.\r\n";
  struct Case {
    const char* name;
    std::string table;
    std::string notice;
  };
  const std::vector<Case> cases = {
      {"empty title", "\r\n" + rows, blank_line},
      {"blank line after the last row", "Subject\r\n" + rows + "\r\n", blank_line},
      {"empty table", "", "[bell]There are 0lines. There must be 18.\r\n"},
      {"17 rows", "Subject\r\n" + rows.substr(rows.find("RSHO") - 4),
       "[bell]There are 17lines. There must be 18.\r\n"},
      {"row broken over two lines", "Subject\r\n" + broken_row,
       "[bell]There are 19lines. There must be 18.\r\n"},
      {"row with an extra comma", "Subject\r\n" + extra_comma,
       "[bell]You do not have four cells in each row. \r\n"
       "There are 91cells, and there should be 72.\r\n"},
  };
  for (const Case& c : cases) {
    FakeRun run;
    run.scratch.Write("Work2.CSV", c.table);
    std::optional<RunEnded> ended = run.Until(CheckLandmarkTable);
    ASSERT_TRUE(ended) << c.name;
    EXPECT_EQ(ended->status, 0) << c.name;
    EXPECT_EQ(ended->viewer, "Gyrovex.exe") << c.name;
    EXPECT_EQ(run.console.transcript, c.notice + "\r\n" + kClosing) << c.name;
    EXPECT_EQ(run.scratch.Read("Work2.CSV"), c.table) << c.name;
  }
}

}  // namespace
}  // namespace torsova
