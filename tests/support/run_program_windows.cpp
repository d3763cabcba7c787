#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova::testing {
namespace {

// Closes the handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A handle the started program inherits as one of its standard handles.
HANDLE OpenInheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{};
  inherit.nLength = sizeof inherit;
  inherit.bInheritHandle = TRUE;
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// The build folder's path as CMake gives it, made whole with the drive the
// tests run on.
std::string TorsovaBinary() { return std::filesystem::absolute(TORSOVA_BINARY).string(); }

namespace {

// The argument quoted so that CommandLineToArgvW and the runtime give it back
// as it is: backslashes doubled before a quote, quotes escaped.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return wide;
}

}  // namespace

ProgramRun RunProcess(const std::string& program, const std::string& dir,
                      const std::vector<std::string>& arguments, const std::string& input,
                      InputKind kind, bool errors_apart, int timeout_seconds) {
  ScratchFolder io;
  io.Write("stdin", input);
  ProgramRun run;
  std::string in_path = io.path() + "\\stdin";
  if (kind == InputKind::kNullDevice) in_path = "NUL";
  Handle in(kind == InputKind::kClosed ? nullptr
                                       : OpenInheritable(in_path, GENERIC_READ, OPEN_EXISTING));
  Handle out(OpenInheritable(io.path() + "\\stdout", GENERIC_WRITE, CREATE_ALWAYS));
  Handle err(errors_apart ? OpenInheritable(io.path() + "\\stderr", GENERIC_WRITE, CREATE_ALWAYS)
                          : nullptr);
  if (!out.valid() || (kind != InputKind::kClosed && !in.valid()) ||
      (errors_apart && !err.valid())) {
    return run;
  }

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.get();
  startup.hStdOutput = out.get();
  startup.hStdError = errors_apart ? err.get() : out.get();
  const std::wstring wide_program = Wide(program);
  std::wstring command_line = L"\"" + wide_program + L"\"";
  for (const std::string& argument : arguments) command_line += L" " + Quoted(Wide(argument));
  PROCESS_INFORMATION started{};
  // Without any console, as a scheduled task or a service would run it. With
  // a console of its own (even a hidden one) a missing standard input would
  // be that console's keyboard, which nobody presses.
  if (!CreateProcessW(wide_program.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                      DETACHED_PROCESS, nullptr, Wide(dir).c_str(), &startup, &started)) {
    return run;
  }
  Handle process(started.hProcess);
  CloseHandle(started.hThread);

  if (WaitForSingleObject(process.get(), static_cast<DWORD>(timeout_seconds) * 1000) !=
      WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), INFINITE);
    run.timed_out = true;
  }
  DWORD exit_code = 0;
  // An exception that ends a program leaves its code (0xC0000005, ...) as the
  // exit status; that is not a normal exit.
  if (!run.timed_out && GetExitCodeProcess(process.get(), &exit_code) && exit_code < 0xC0000000u) {
    run.status = static_cast<int>(exit_code);
  }
  run.output = io.Read("stdout");
  if (errors_apart) run.errors = io.Read("stderr");
  return run;
}

std::string ViewerBinary() { return std::filesystem::absolute(TORSOVA_VIEW_BINARY).string(); }

std::string FormBinary() { return std::filesystem::absolute(TORSOVA_FORM_BINARY).string(); }

ProgramRun RunWithoutPrivileges(const std::string& program, const std::string& dir,
                                const std::vector<std::string>& arguments) {
  return RunWithArguments(program, dir, arguments);
}

}  // namespace torsova::testing
