#include "view/figure/figure_file.h"

#include <cstddef>
#include <utility>

#include "textio/text_source.h"
#include "view/figure/figure_reader.h"

namespace torsova::view {
namespace {

std::string_view OpenFailureText(OpenFailure failure) {
  switch (failure) {
    case OpenFailure::kMissing:
      return "no such file";
    case OpenFailure::kFolder:
      return "is a folder, not a figure file";
    case OpenFailure::kNotRegular:
      return "is not a regular file";
    case OpenFailure::kDenied:
      return "cannot be opened: permission denied";
    case OpenFailure::kNone:
    case OpenFailure::kOther:
      break;
  }
  return "cannot be opened";
}

std::string Counted(std::size_t count, std::string_view thing) {
  return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}

}  // namespace

std::optional<Figure> ReadFigureFile(const std::string& path, const SayMessage& say) {
  return ReadOpenedFigure(path, OpenPathForReading(path), say);
}

std::optional<Figure> ReadOpenedFigure(const std::string& path, OpenedPath opened,
                                       const SayMessage& say) {
  if (!opened.file) {
    say(path + ": " + std::string(OpenFailureText(opened.failure)));
    return std::nullopt;
  }
  const PathFile& file = *opened.file;
  TextSource source(std::move(opened.file));
  FigureReading reading = ReadFigure(source);
  if (file.ReadFailed()) {
    say(path + ": cannot be read to its end (a read error)");
    return std::nullopt;
  }
  const auto where = [&](const FigureProblem& problem) {
    return path + ":" + (problem.line > 0 ? std::to_string(problem.line) + ":" : "") + " ";
  };
  for (const FigureProblem& warning : reading.warnings) say(where(warning) + warning.what);
  if (reading.warnings_left_out > 0) {
    say(path + ": warning: " + Counted(reading.warnings_left_out, "more unknown setting") +
        " ignored");
  }
  if (reading.error) {
    say(where(*reading.error) + reading.error->what);
    return std::nullopt;
  }
  return std::move(reading.figure);
}

}  // namespace torsova::view
