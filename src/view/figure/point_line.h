// The numbers of a figure's point lines, in every form the program's
// renderings write them: plain (" 12.50", "-3.5", " 100"), in exponent form
// (" 1e-005", " 1.234568e+007") and behind the mask's overflow percent sign
// ("%-1234567890.00", "% 123456789.01E+5", "% 100000000.00E+%22").
#pragma once

#include <string_view>

#include "view/figure/figure.h"

namespace torsova::view {

enum class NumberReading { kNumber, kNotNumber, kNotFinite };

// Reads a whole item as a number. kNotFinite for INF and NAN in any of their
// spellings and for a number too large for a double.
//   "%-1234567890.00" -> -1234567890    "% 123456789.01E+5" -> 12345678901000
//   "100000000.00E+%22" -> 1e30    "12x" -> kNotNumber    "-INF" -> kNotFinite
NumberReading ReadNumber(std::string_view item, double& value);

// What the code of a point line asks for.
enum class PointCode { kCircle = -7, kNewStroke = 0, kJoined = 7 };

struct PointLine {
  Point point{};
  PointCode code = PointCode::kNewStroke;
};

enum class PointLineFault { kNone, kNotPointLine, kNotFinite, kUnknownCode };

// Reads a line of three numbers and a code, items separated by spaces (a
// lone "%" belongs to the item after it).
//   "         12.50  100          3.25 -7 " -> {12.5, 100, 3.25}, kCircle
PointLineFault ReadPointLine(std::string_view line, PointLine& result);

// The items of a line separated by spaces or tabs, a lone "%" joined with the
// item after it. At most `room` items are stored; the count is returned.
std::size_t SplitItems(std::string_view line, std::string_view* items, std::size_t room);

}  // namespace torsova::view
