#include "view/figure/figure_file.h"

#include <cstddef>
#include <utility>

#include "textio/text_source.h"
#include "view/figure/figure_reader.h"

namespace torsova::view {
namespace {

std::string Counted(std::size_t count, std::string_view thing) {
  return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}

}  // namespace

std::optional<Figure> ReadFigureFile(const std::string& path, const SayMessage& say,
                                     std::string* reason) {
  return ReadOpenedFigure(path, OpenPathForReading(path), say, reason);
}

std::optional<Figure> ReadOpenedFigure(const std::string& path, OpenedPath opened,
                                       const SayMessage& say, std::string* reason) {
  const auto fail = [&](const std::string& where, const std::string& what) {
    say(path + ":" + where + " " + what);
    if (reason) *reason = where.empty() ? what : "line " + where + " " + what;
    return std::nullopt;
  };
  if (!opened.file) return fail("", OpenFailureText(opened.failure, "a figure file"));
  const PathFile& file = *opened.file;
  TextSource source(std::move(opened.file));
  FigureReading reading = ReadFigure(source);
  if (file.ReadFailed()) return fail("", "cannot be read to its end (a read error)");
  const auto line_of = [](const FigureProblem& problem) {
    return problem.line > 0 ? std::to_string(problem.line) + ":" : std::string();
  };
  for (const FigureProblem& warning : reading.warnings) {
    say(path + ":" + line_of(warning) + " " + warning.what);
  }
  if (reading.warnings_left_out > 0) {
    say(path + ": warning: " + Counted(reading.warnings_left_out, "more unknown setting") +
        " ignored");
  }
  if (reading.error) return fail(line_of(*reading.error), reading.error->what);
  return std::move(reading.figure);
}

}  // namespace torsova::view
