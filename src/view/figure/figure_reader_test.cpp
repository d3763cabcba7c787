#include "view/figure/figure_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_folder.h"
#include "view/figure/point_line.h"

namespace torsova::view {
namespace {

FigureReading Read(const std::string& bytes) {
  testing::MemoryFolder folder;
  folder.files["f"] = bytes;
  TextSource source(folder.OpenForReading("f"));
  return ReadFigure(source);
}

TEST(FigureReaderTest, ReadsEveryKindOfLineWithEitherLineEnd) {
  for (const std::string end : {"\r\n", "\n"}) {
    const std::string file = "#made by hand" + end + "s CircleDiameter 0.2" + end + "s WhiteBack" +
                             end + end + "#M\xfcller" + end + "   1.00  2  3.00  7 " + end +
                             "   4.00  5  6.00  7 " + end + "s FillCircles" + end + "  0 0 0  0" +
                             end + "#a comment later" + end + "  1 1 1 -7" + end + "\x1a  9 9 9 7";
    const FigureReading reading = Read(file);
    ASSERT_FALSE(reading.error) << reading.error->what;
    const Figure& f = reading.figure;
    EXPECT_EQ(f.title, "M\xc3\xbcller");
    EXPECT_TRUE(f.white_back);
    EXPECT_TRUE(f.fill_circles);
    // The first 7 has no point before it; the byte 26 ends the file.
    EXPECT_EQ(f.lines, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(f.circles, (std::vector<double>{1, 1, 1, 0.2}));
    EXPECT_EQ(f.order, (std::vector<bool>{false, true}));
    EXPECT_EQ(f.min, (Point{0, 0, 0}));
    EXPECT_EQ(f.max, (Point{4, 5, 6}));
    EXPECT_EQ(f.size, 6);
  }
}

TEST(FigureReaderTest, ReadsTheNumbersOfEveryRendering) {
  const struct {
    std::string item;
    double value;
  } cases[] = {
      {"12.50", 12.5},
      {"-3.25", -3.25},
      {"1e-005", 1e-5},
      {"1.234568e+007", 12345680},
      {"%10000000000.00", 1e10},
      {"%-1234567890.00", -1234567890},
      {"%-123456789.01E+4", -1234567890100},
      {"% 123456789.01E+5", 12345678901000},
      {"% 100000000.00E+%22", 1e30},
  };
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_EQ(ReadNumber(c.item, value), NumberReading::kNumber) << c.item;
    EXPECT_EQ(value, c.value) << c.item;
    PointLine line;
    ASSERT_EQ(ReadPointLine(" " + c.item + "  1 " + c.item + "  7 ", line), PointLineFault::kNone)
        << c.item;
    EXPECT_EQ(line.point, (Point{c.value, 1, c.value})) << c.item;
  }
  for (const std::string item : {"INF", "-INF", "nan", "-nan(ind)", "%-INF", "1e999"}) {
    double value = 0;
    EXPECT_EQ(ReadNumber(item, value), NumberReading::kNotFinite) << item;
  }
  for (const std::string item : {"12x", "0x10", "1e", "%", "1.#INF", "--1", "7,5"}) {
    double value = 0;
    EXPECT_EQ(ReadNumber(item, value), NumberReading::kNotNumber) << item;
  }
}

TEST(FigureReaderTest, NamesTheLineOfEachFault) {
  const struct {
    std::string file;
    std::size_t line;
    std::string what;
  } cases[] = {
      {"#t\n 1 2 3 7\n12.5 abc 7\n", 3, "\"12.5 abc 7\" is not a point line"},
      {"1 2 3\n", 1, "\"1 2 3\" is not a point line"},
      {"1 2 3 7 7\n", 1, "\"1 2 3 7 7\" is not a point line"},
      {"\n\n1 2 3 5\n", 3, "\"1 2 3 5\" has a code other than -7, 0 and 7"},
      {"1 2 3 0\n1 2 3 -3\n", 2, "\"1 2 3 -3\" has a code other than -7, 0 and 7"},
      {"1 2 3 7\n1  INF 3 7\n", 2, "\"1  INF 3 7\" holds a number that cannot be drawn"},
      {"s CircleDiameter x\n", 1, "\"s CircleDiameter x\" is not a setting line"},
      {"a\tb\xff\\\n", 1, "\"a\\x09b\\xff\\\\\" is not a point line"},
      {std::string(5000, '1') + "\n", 1, "\"" + std::string(60, '1') + "...\" is too long"},
      {"", 0, "the file is empty"},
      {"#only a comment\r\ns WhiteBack\r\n", 0, "holds no point line"},
      {"\x1a 1 2 3 0\n", 0, "the file ends before any figure line"},
      {"0 0 0 0\n0 -1.0000000000000002e100 0 7\n", 2,
       "\"0 -1.0000000000000002e100 0 7\" holds "
       "a number too large to draw"},
      {"1e308 0 0 0\n", 1, "\"1e308 0 0 0\" holds a number too large to draw"},
      {"s CircleDiameter 10.000001\n", 1, "\"s CircleDiameter 10.000001\" is not a setting"},
      {"s CircleDiameter -1e-300\n", 1, "\"s CircleDiameter -1e-300\" is not a setting"},
      {"0 0 0 0\n1e-300 0 0 7\n", 0, "the figure is too small to draw"},
  };
  for (const auto& c : cases) {
    const FigureReading reading = Read(c.file);
    ASSERT_TRUE(reading.error) << c.file;
    EXPECT_EQ(reading.error->line, c.line) << c.file;
    EXPECT_EQ(reading.error->what.rfind(c.what, 0), 0u) << reading.error->what;
  }
}

TEST(FigureReaderTest, TakesWhatLiesJustInsideEachLimit) {
  const struct {
    std::string file;
    std::string title;
    double size;
    std::vector<double> circles;
  } cases[] = {
      {"s CircleDiameter 0\n1 2 3 -7\n", "", 1, {1, 2, 3, 0}},
      {"s CircleDiameter 10\n1 2 3 -7\n", "", 1, {1, 2, 3, 10}},
      {"1e100 0 0 0\n0 -1e100 0 7\n", "", 1e100, {}},
      {"0 0 0 0\n1e-290 0 0 7\n", "", 1e-290, {}},
      // a byte-order mark before the first line, then a Windows-1252 title
      {"\xEF\xBB\xBF#Caf\xe9 au lait\n1 2 3 0\n", "Caf\xc3\xa9 au lait", 1, {}},
      {"\xEF\xBB\xBF 1 2 3 0\n", "", 1, {}},
      // a UTF-8 title whose last character the 4096 bytes kept of a line cut
      {"#" + std::string(4093, 'a') + "\xc3\xbc\xc3\xbc\n1 2 3 0\n",
       std::string(4093, 'a') + "\xc3\xbc",
       1,
       {}},
      {"#" + std::string(4094, 'a') + "\xc3\xbc\n1 2 3 0\n", std::string(4094, 'a'), 1, {}},
  };
  for (const auto& c : cases) {
    const FigureReading reading = Read(c.file);
    ASSERT_FALSE(reading.error) << c.file << ": " << reading.error->what;
    EXPECT_EQ(reading.figure.title, c.title) << c.file;
    EXPECT_EQ(reading.figure.size, c.size) << c.file;
    EXPECT_EQ(reading.figure.circles, c.circles) << c.file;
  }
}

TEST(FigureReaderTest, WarnsOfUnknownSettingsAndGoesOn) {
  const FigureReading reading = Read("s Spin 3\n1 2 3 0\ns Spin\n");
  ASSERT_FALSE(reading.error);
  ASSERT_EQ(reading.warnings.size(), 2u);
  EXPECT_EQ(reading.warnings[1].line, 3u);
  EXPECT_EQ(reading.warnings[1].what, "warning: the unknown setting \"s Spin\" is ignored");
  // A single point still gives a figure of size 1, so a scale exists.
  EXPECT_EQ(reading.figure.size, 1);
}

}  // namespace
}  // namespace torsova::view
