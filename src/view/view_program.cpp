#include "view/view_program.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/path_files.h"
#include "platform/program_io.h"
#include "run/run_files.h"
#include "view/body/body_figure.h"
#include "view/command_line.h"
#include "view/figure/figure_file.h"
#include "view/write/drawing_writer.h"
#include "view/write/embedded_page.h"
#include "view/write/list_writer.h"
#include "view/write/measures_writer.h"
#include "view/write/page_writer.h"
#include "view/write/study_writer.h"

namespace torsova::view {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongUsage = 2;

void Say(std::string_view message) {
  WriteStandardError("torsova-view: " + std::string(message) + "\n");
}

class StandardOutputSink final : public ByteSink {
 public:
  bool Put(std::string_view bytes) override { return WriteStandardOutput(bytes); }
};

class NamedOutputSink final : public ByteSink {
 public:
  explicit NamedOutputSink(NamedOutput& output) : output_(output) {}
  bool Put(std::string_view bytes) override { return output_.Write(bytes); }

 private:
  NamedOutput& output_;
};

bool EndsWithSvg(std::string_view path) {
  if (path.size() < 4) return false;
  std::string ending(path.substr(path.size() - 4));
  for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ending == ".svg";
}

// The figure's path with its extension replaced by `extension`.
std::string BesideFigure(const std::string& figure, std::string_view extension) {
  const std::size_t name_start = FileNameStart(figure);
  std::size_t dot = figure.rfind('.');
  if (dot == std::string::npos || dot <= name_start) dot = figure.size();
  return figure.substr(0, dot) + std::string(extension);
}

std::string Counted(std::size_t count, std::string_view thing) {
  return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}

// The measures of each figure as a row of CSV on standard output; a figure
// that cannot be read or is not a body figure is named and left out. With
// `bom`, the table starts with a UTF-8 byte-order mark.
int WriteMeasuresOfFigures(const std::vector<std::string>& figures, bool bom) {
  StandardOutputSink sink;
  TextWriter out(sink);
  if (bom) out << "\xEF\xBB\xBF";
  WriteMeasuresHeader(out);
  bool all_written = true;
  for (const std::string& path : figures) {
    const std::optional<Figure> figure = ReadFigureFile(path, Say);
    if (!figure) {
      all_written = false;
      continue;
    }
    const std::optional<BodyFigure> body = RecogniseBody(*figure);
    if (!body) {
      Say(path + ": not a body figure written by torsova, so it has no measures");
      all_written = false;
      continue;
    }
    WriteMeasuresRow(path, *figure, *body, out);
  }
  if (!out.Finish()) {
    Say("standard output: cannot be written");
    return kFailed;
  }
  return all_written ? kDone : kFailed;
}

// Every figure read into the study: the body figures with their measures,
// the others named on standard error and kept with the reason.
Study ReadStudy(const std::vector<std::string>& figures) {
  Study study;
  for (const std::string& path : figures) {
    std::string reason;
    const std::optional<Figure> figure = ReadFigureFile(path, Say, &reason);
    std::optional<BodyFigure> body;
    if (figure) body = RecogniseBody(*figure);
    if (figure && !body) {
      reason = "not a body figure written by torsova";
      Say(path + ": " + reason);
    }
    if (!body) {
      study.left_out.push_back({path, reason});
      continue;
    }
    const std::array<Measure, kMeasureCount> measures = MeasureBody(*body);
    study.figures.push_back({path, figure->title, std::move(*body), measures});
  }
  ComputeStatistics(study);
  return study;
}

// Writes what `write` writes to standard output or, whole or not at all, to
// the file `path`; says what failed.
bool WriteOutputFile(const std::string& path, bool to_standard_output,
                     const std::function<void(TextWriter&)>& write) {
  if (to_standard_output) {
    StandardOutputSink sink;
    TextWriter out(sink);
    write(out);
    if (out.Finish()) return true;
    Say("standard output: cannot be written");
    return false;
  }
  std::string reason;
  std::unique_ptr<NamedOutput> output = OpenNamedOutput(path, reason);
  if (output) {
    NamedOutputSink sink(*output);
    TextWriter out(sink);
    write(out);
    out.Finish();
  }
  if (output && output->Commit(reason)) return true;
  Say(path + ": cannot be written: " + reason);
  return false;
}

// Once the file `path` is written: its summary line, and the file opened in
// the default program when asked.
void SayWritten(const std::string& path, const std::string& summary, bool open) {
  WriteStandardOutput(path + ": " + summary + "\n");
  std::string reason;
  if (open && !OpenWithDefaultProgram(path, reason)) {
    Say(path + ": could not be opened: " + reason);
  }
}

// The study page of the figures, study.html in the current folder unless -o
// names another; the status is 1 when any figure was left out.
int WriteStudyOfFigures(const std::vector<std::string>& figures, const ViewOptions& options) {
  const std::string output_path = options.output.value_or("study.html");
  const FileIdentity output_file = output_path == "-" ? FileIdentity{} : IdentityOf(output_path);
  for (const std::string& path : figures) {
    if (SameFile(output_file, IdentityOf(path))) {
      Say(output_path + ": the output would replace the figure " + path + "; name another with -o");
      return kWrongUsage;
    }
  }
  const Study study = ReadStudy(figures);
  const int status = study.left_out.empty() ? kDone : kFailed;
  const bool to_standard_output =
      output_path == "-" || SameFile(output_file, StandardOutputIdentity());
  if (!WriteOutputFile(output_path, to_standard_output,
                       [&](TextWriter& out) { WriteStudyPage(study, TheStudyPage(), out); })) {
    return kFailed;
  }
  if (!to_standard_output) {
    SayWritten(output_path,
               Counted(figures.size(), "figure") + ", " +
                   Counted(study.figures.size(), "body figure") + ", " +
                   std::to_string(study.statistics.flagged) + " flagged",
               options.open);
  }
  return status;
}

void WriteOutput(const Figure& figure, bool drawing, bool labels, TextWriter& out) {
  if (drawing) {
    WriteDrawing(figure, out, labels);
  } else {
    WritePage(figure, TheFigurePage(), out);
  }
}

}  // namespace

int RunViewer(const std::vector<std::string>& arguments) {
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.usage_error.empty()) {
    Say(parsed.usage_error + " (see torsova-view --help)");
    return kWrongUsage;
  }
  const ViewOptions& options = parsed.options;
  if (options.help) return WriteStandardOutput(kUsage) ? kDone : kFailed;
  if (options.version) {
    return WriteStandardOutput("torsova-view " TORSOVA_VERSION "\n") ? kDone : kFailed;
  }

  if (options.study) return WriteStudyOfFigures(options.figures, options);

  // The figures as named, or the one of the current folder in any letter case.
  const std::vector<std::string> figures =
      !options.figures.empty()
          ? options.figures
          : std::vector<std::string>{
                FindInCurrentFolder(kFigureFileName).value_or(kFigureFileName)};
  if (options.measures) return WriteMeasuresOfFigures(figures, options.bom);

  const std::string& figure_path = figures.front();
  const bool drawing = options.svg || (options.output && EndsWithSvg(*options.output));
  const std::string output_path =
      options.output ? *options.output : BesideFigure(figure_path, drawing ? ".svg" : ".html");
  if (options.labels && !drawing) {
    Say("--labels writes codes into the drawing: give --svg or an -o PATH ending in .svg");
    return kWrongUsage;
  }
  // By identity, not by spelling: "./f.ROT", a link to the figure and
  // /dev/stdout all name files. Standard output itself ("-") never replaces.
  const FileIdentity output_file = output_path == "-" ? FileIdentity{} : IdentityOf(output_path);
  if (!options.list && SameFile(output_file, IdentityOf(figure_path))) {
    Say(output_path + ": the output would replace the figure itself; name another with -o");
    return kWrongUsage;
  }

  const std::optional<Figure> figure = ReadFigureFile(figure_path, Say);
  if (!figure) return kFailed;

  // An output that is this program's standard output (/dev/stdout, or the
  // file it is redirected to) is written as "-" is, without the summary.
  const bool to_standard_output =
      options.list || output_path == "-" || SameFile(output_file, StandardOutputIdentity());
  if (!WriteOutputFile(output_path, to_standard_output, [&](TextWriter& out) {
        if (options.list) {
          WriteList(*figure, out);
        } else {
          WriteOutput(*figure, drawing, options.labels, out);
        }
      })) {
    return kFailed;
  }
  if (!to_standard_output) {
    SayWritten(output_path, CountsText(*figure) + ", \"" + figure->title + "\"", options.open);
  }
  return kDone;
}

}  // namespace torsova::view
