#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <vector>

#include "platform/program_io.h"
#include "platform/wide_text_windows.h"

namespace torsova {
namespace {

constexpr DWORD kMaxWrite = 1 << 20;

// A console shows text in its own code page; UTF-8 goes to it as UTF-16, so
// that non-ASCII file names show as they are. A file or pipe gets the bytes.
bool WriteAll(DWORD which, std::string_view bytes) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = WideFromUtf8(bytes);
    DWORD put = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &put, nullptr) != 0;
  }
  while (!bytes.empty()) {
    const DWORD size = bytes.size() > kMaxWrite ? kMaxWrite : static_cast<DWORD>(bytes.size());
    DWORD put = 0;
    if (!WriteFile(handle, bytes.data(), size, &put, nullptr) || put == 0) return false;
    bytes.remove_prefix(put);
  }
  return true;
}

}  // namespace

// The narrow argv holds the names in the ANSI code page, which cannot spell
// every name; the wide command line can.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

// The loaded file's own path, not the command line's first word: that is
// whatever the caller chose to write, the name without ".exe" when typed at a
// console, or any text at all.
std::string ProgramName(int argc, char** argv) {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
             path.size() &&
         path.size() < 32768) {
    path.resize(path.size() * 2);
  }
  std::string started;
  if (length > 0 && length < path.size()) {
    started = Utf8FromWide(std::wstring(path.data(), length));
  } else if (argc > 0 && argv[0] != nullptr) {
    started = argv[0];
  }
  return started.substr(started.find_last_of("\\/") + 1);
}

bool HasConsoleOfItsOwn() {
  // A console shared with the shell that started this program lists both.
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

bool WriteStandardOutput(std::string_view bytes) { return WriteAll(STD_OUTPUT_HANDLE, bytes); }

void WriteStandardError(std::string_view bytes) { WriteAll(STD_ERROR_HANDLE, bytes); }

// The shell's "open" verb, as a double-click in the file manager does.
bool OpenWithDefaultProgram(const std::string& path, std::string& reason) {
  const std::wstring wide = WideFromUtf8(path);
  std::vector<wchar_t> full(MAX_PATH);
  DWORD length =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length + 1);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  const std::wstring absolute = length > 0 ? std::wstring(full.data(), length) : wide;
  // The shell may hand the file over through COM.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", absolute.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (SUCCEEDED(com)) CoUninitialize();
  if (result > 32) return true;
  switch (result) {
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
      reason = "no program is set to open it";
      break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      reason = "the shell did not find it";
      break;
    default:
      reason = "the shell refused it (error " + std::to_string(result) + ")";
  }
  return false;
}

}  // namespace torsova
