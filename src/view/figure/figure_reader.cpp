#include "view/figure/figure_reader.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "view/figure/point_line.h"
#include "view/figure/title_text.h"

namespace torsova::view {
namespace {

// No point or setting line comes near this; longer comments are kept only in
// part, so a file without line ends cannot fill the memory.
constexpr std::size_t kLineKept = 4096;
constexpr std::size_t kQuoted = 60;
constexpr double kDefaultCircleDiameter = 0.1;
// Limits that keep every drawing finite and of a sane size: no distance or
// square of one overflows, and a mark is at most ten times the figure.
constexpr double kLargestNumber = 1e100;
constexpr double kLargestDiameter = 10;
// A size whose scale for a drawing of some thousand pixels is still finite.
constexpr double kSmallestSize = 1e-290;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A line of the file, its first kLineKept bytes kept.
struct Line {
  std::string text;
  bool cut_short = false;  // the line went on beyond what `text` holds
};

void Keep(Line& line, std::string_view bytes) {
  const std::size_t room = kLineKept - std::min(kLineKept, line.text.size());
  if (bytes.size() > room) line.cut_short = true;
  line.text.append(bytes.substr(0, std::min(room, bytes.size())));
}

// LF ends a line; CR and byte 26 are left to the source, which knows whether
// a CR is half of a line end and where the content ends.
bool NeedsTranslation(char c) { return c == '\n' || c == '\r' || c == '\x1a'; }

// Takes the next line; false at the end of the content. Plain runs of bytes
// are taken from the source's buffer at once; CR, LF and byte 26 go through
// the source's translation.
bool TakeBoundedLine(TextSource& source, Line& line) {
  line.text.clear();
  line.cut_short = false;
  bool took_any = false;
  for (;;) {
    const std::string_view buffered = source.Buffered();
    if (!buffered.empty()) {
      std::size_t plain = 0;
      while (plain < buffered.size() && !NeedsTranslation(buffered[plain])) ++plain;
      const std::size_t stop = plain < buffered.size() ? plain : std::string_view::npos;
      Keep(line, buffered.substr(0, plain));
      source.Skip(plain);
      took_any = took_any || plain > 0;
      if (stop == std::string_view::npos) continue;
      if (buffered[stop] == '\n') {
        source.Skip(1);
        return true;
      }
    }
    const std::optional<char> c = source.Take();
    if (!c) return took_any;
    if (*c == '\n') return true;
    Keep(line, std::string_view(&*c, 1));
    took_any = true;
  }
}

// Where the first byte other than a space or tab is; the size when none is.
std::size_t FirstNonBlank(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  return at;
}

// Whether the line's first item is "s".
bool IsSettingLine(std::string_view text) {
  const std::size_t first = FirstNonBlank(text);
  return first < text.size() && text[first] == 's' &&
         (first + 1 == text.size() || text[first + 1] == ' ' || text[first + 1] == '\t');
}

// What a setting line sets, when it is one of the known settings.
enum class SettingFault { kNone, kUnknown, kBad };

SettingFault ApplySetting(std::string_view line, Figure& figure, double& circle_diameter) {
  std::string_view items[3];
  const std::size_t count = SplitItems(line, items, 3);
  const std::string_view name = count > 1 ? items[1] : std::string_view();
  if (name == "CircleDiameter") {
    double diameter = 0;
    if (count != 3 || ReadNumber(items[2], diameter) != NumberReading::kNumber || diameter < 0 ||
        diameter > kLargestDiameter) {
      return SettingFault::kBad;
    }
    circle_diameter = diameter;
  } else if (name == "WhiteBack" || name == "FillCircles") {
    if (count != 2) return SettingFault::kBad;
    (name == "WhiteBack" ? figure.white_back : figure.fill_circles) = true;
  } else {
    return SettingFault::kUnknown;
  }
  return SettingFault::kNone;
}

// Gathers the points, segments and marks of the point lines.
class FigureBuilder {
 public:
  explicit FigureBuilder(Figure& figure) : figure_(figure) {}

  void Add(const PointLine& line, double circle_diameter) {
    const Point& p = line.point;
    for (std::size_t k = 0; k < 3; ++k) {
      figure_.min[k] = points_ == 0 ? p[k] : std::min(figure_.min[k], p[k]);
      figure_.max[k] = points_ == 0 ? p[k] : std::max(figure_.max[k], p[k]);
    }
    if (line.code == PointCode::kCircle) {
      figure_.circles.insert(figure_.circles.end(), {p[0], p[1], p[2], circle_diameter});
      figure_.order.push_back(true);
    } else if (line.code == PointCode::kJoined && points_ > 0) {
      figure_.lines.insert(figure_.lines.end(),
                           {previous_[0], previous_[1], previous_[2], p[0], p[1], p[2]});
      figure_.order.push_back(false);
    }
    previous_ = p;
    ++points_;
  }

  bool Empty() const { return points_ == 0; }

  // Sets the figure's size; false when it is too small to draw: a drawing
  // divides by it.
  bool Finish() {
    double size = 0;
    for (std::size_t k = 0; k < 3; ++k) size = std::max(size, figure_.max[k] - figure_.min[k]);
    figure_.size = size > 0 ? size : 1;
    return figure_.size >= kSmallestSize;
  }

 private:
  Figure& figure_;
  Point previous_{};
  std::size_t points_ = 0;
};

bool Drawable(const Point& point) {
  return std::all_of(point.begin(), point.end(),
                     [](double value) { return std::abs(value) <= kLargestNumber; });
}

// Keeps the first point lines as a body figure is told by.
void KeepWrittenPoint(std::string_view text, const PointLine& line, Figure& figure) {
  if (figure.point_line_count++ >= Figure::kPointLinesKept) return;
  std::size_t code = text.size();
  while (code > 0 && (text[code - 1] == ' ' || text[code - 1] == '\t')) --code;
  while (code > 0 && text[code - 1] != ' ' && text[code - 1] != '\t') --code;
  figure.point_lines.push_back({line.point, std::string(text.substr(code))});
}

FigureProblem Problem(std::size_t line, const Line& text, std::string_view what) {
  return {line, QuotedLine(text.text, text.cut_short) + std::string(what)};
}

}  // namespace

std::string QuotedLine(std::string_view line, bool cut_short) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "\"";
  for (char c : line.substr(0, kQuoted)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      quoted += "\\\\";
    } else if (byte >= 0x20 && byte < 0x7F) {
      quoted += c;
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 15];
    }
  }
  if (cut_short || line.size() > kQuoted) quoted += "...";
  quoted += '"';
  return quoted;
}

FigureReading ReadFigure(TextSource& source) {
  FigureReading reading;
  Figure& figure = reading.figure;
  FigureBuilder builder(figure);
  double circle_diameter = kDefaultCircleDiameter;
  std::string title_bytes;
  bool title_cut_short = false;
  Line line;
  std::size_t number = 0;

  while (TakeBoundedLine(source, line)) {
    ++number;
    if (number == 1) figure.first_line = line.text;
    if (number == 1 && line.text.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0) {
      line.text.erase(0, kUtf8Mark.size());
    }
    const std::string_view text = line.text;
    if (!text.empty() && text.front() == '#') {
      if (builder.Empty()) {
        title_bytes.assign(text.substr(1));
        title_cut_short = line.cut_short;
      }
      continue;
    }
    if (!line.cut_short && FirstNonBlank(text) == text.size()) continue;
    if (line.cut_short) {
      reading.error = Problem(number, line, " is too long for a point or setting line");
      return reading;
    }
    if (IsSettingLine(text)) {
      switch (ApplySetting(text, figure, circle_diameter)) {
        case SettingFault::kNone:
          break;
        case SettingFault::kUnknown:
          if (reading.warnings.size() < FigureReading::kMaxWarnings) {
            reading.warnings.push_back(
                {number, "warning: the unknown setting " + QuotedLine(text) + " is ignored"});
          } else {
            ++reading.warnings_left_out;
          }
          break;
        case SettingFault::kBad:
          reading.error =
              Problem(number, line,
                      " is not a setting line (CircleDiameter takes a number from 0 to 10; "
                      "WhiteBack and FillCircles take nothing)");
          return reading;
      }
      continue;
    }
    PointLine point_line;
    switch (ReadPointLine(text, point_line)) {
      case PointLineFault::kNone:
        if (!Drawable(point_line.point)) {
          reading.error = Problem(number, line,
                                  " holds a number too large to draw (beyond 1e100 either side "
                                  "of 0)");
          return reading;
        }
        builder.Add(point_line, circle_diameter);
        KeepWrittenPoint(text, point_line, figure);
        continue;
      case PointLineFault::kNotPointLine:
        reading.error = Problem(number, line, " is not a point line");
        return reading;
      case PointLineFault::kNotFinite:
        reading.error = Problem(number, line,
                                " holds a number that cannot be drawn (infinite, not a number "
                                "or out of range)");
        return reading;
      case PointLineFault::kUnknownCode:
        reading.error = Problem(number, line, " has a code other than -7, 0 and 7");
        return reading;
    }
  }

  if (number == 0 && source.MetEndMark()) {
    reading.error = FigureProblem{
        0,
        "the file ends before any figure line: its first byte is a 26 (Ctrl-Z), which ends "
        "a text"};
  } else if (number == 0) {
    reading.error = FigureProblem{0, "the file is empty"};
  } else if (builder.Empty()) {
    reading.error = FigureProblem{0, "holds no point line, so it is not a figure file"};
  } else if (!builder.Finish()) {
    reading.error = FigureProblem{
        0, "the figure is too small to draw: all its points lie within 1e-290 of each other"};
  } else {
    figure.title = TitleText(title_bytes, title_cut_short);
  }
  return reading;
}

}  // namespace torsova::view
