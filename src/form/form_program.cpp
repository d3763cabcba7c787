#include "form/form_program.h"

#include <memory>
#include <optional>
#include <string_view>

#include "form/blank_form.h"
#include "form/command_line.h"
#include "form/convert_form.h"
#include "form/form_check.h"
#include "platform/path_files.h"
#include "platform/program_io.h"
#include "run/run_files.h"

namespace torsova::form {
namespace {

constexpr int kAccepted = 0;
constexpr int kRefused = 1;
constexpr int kWrongUsage = 2;

void Say(std::string_view message) {
  WriteStandardError("torsova-form: " + std::string(message) + "\n");
}

// The whole form at `path`; nothing, after saying why, when it cannot be read.
std::optional<std::string> ReadForm(const std::string& path) {
  OpenedPath opened = OpenPathForReading(path);
  if (!opened.file) {
    Say(path + ": " + OpenFailureText(opened.failure, "a form"));
    return std::nullopt;
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(opened.file->Length()));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const std::size_t n = opened.file->Read(bytes.data() + got, bytes.size() - got);
    if (n == 0) break;
    got += n;
  }
  if (opened.file->ReadFailed() || got != bytes.size()) {
    Say(path + ": cannot be read to its end (a read error)");
    return std::nullopt;
  }
  return bytes;
}

// The form of the current folder, in any letter case, as torsova finds it.
std::string FormOfCurrentFolder() { return FindInCurrentFolder(kFormName).value_or(kFormName); }

int Check(const std::string& path) {
  const std::optional<std::string> form = ReadForm(path);
  if (!form) return kRefused;
  const FormCheck check = CheckForm(*form);
  WriteStandardOutput(CheckText(path, check));
  return check.verdict.accepted ? kAccepted : kRefused;
}

// Writes `bytes` to `path` whole or not at all; false after saying why.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::string reason;
  std::unique_ptr<NamedOutput> output = OpenNamedOutput(path, reason);
  if (output) output->Write(bytes);
  if (!output || !output->Commit(reason)) {
    Say(path + ": cannot be written: " + reason);
    return false;
  }
  return true;
}

// False, after saying so, when `path` is there and may not be replaced.
bool MayWrite(const std::string& path, bool force) {
  if (force || !IdentityOf(path).known) return true;
  Say(path + ": is there already; give --force to replace it");
  return false;
}

int Convert(const FormOptions& options) {
  const std::string& in = *options.operand;
  const std::size_t name_start = FileNameStart(in);
  const std::string out = options.output    ? *options.output
                          : name_start == 0 ? FormOfCurrentFolder()
                                            : in.substr(0, name_start) + kFormName;
  if (SameFile(IdentityOf(out), IdentityOf(in))) {
    Say(out + ": the copy would replace the form " + in +
        " itself; name another with -o, or rename the form first");
    return kWrongUsage;
  }
  if (!MayWrite(out, options.force)) return kRefused;
  const std::optional<std::string> form = ReadForm(in);
  if (!form) return kRefused;
  const Conversion conversion = ConvertForm(*form);
  if (!conversion.converted) {
    Say(in + ":" + std::to_string(conversion.refused_row) + ": " + conversion.refusal +
        "; nothing written");
    return kRefused;
  }
  if (!WriteWhole(out, conversion.form)) return kRefused;
  WriteStandardOutput(out + ": written from " + in + ", " + conversion.Changes() + "\n");
  const FormCheck check = CheckForm(conversion.form);
  WriteStandardOutput(CheckText(out, check));
  return check.verdict.accepted ? kAccepted : kRefused;
}

int WriteBlankForm(const FormOptions& options) {
  const std::string out = options.output ? *options.output : FormOfCurrentFolder();
  if (!MayWrite(out, options.force)) return kRefused;
  if (!WriteWhole(out, BlankForm(options.operand.value_or("")))) return kRefused;
  WriteStandardOutput(out + ": a blank form of the 18 landmarks to fill in\n");
  return kAccepted;
}

}  // namespace

int RunFormProgram(const std::vector<std::string>& arguments) {
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.usage_error.empty()) {
    Say(parsed.usage_error + " (see torsova-form --help)");
    return kWrongUsage;
  }
  const FormOptions& options = parsed.options;
  if (options.help) return WriteStandardOutput(kUsage) ? kAccepted : kRefused;
  if (options.version) {
    return WriteStandardOutput("torsova-form " TORSOVA_VERSION "\n") ? kAccepted : kRefused;
  }
  switch (options.command) {
    case FormCommand::kConvert:
      return Convert(options);
    case FormCommand::kNew:
      return WriteBlankForm(options);
    case FormCommand::kCheck:
      break;
  }
  return Check(options.operand.value_or(FormOfCurrentFolder()));
}

}  // namespace torsova::form
