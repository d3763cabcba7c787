#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace torsova {
namespace {

// The full path of `name` in the current folder, in UTF-16 so that a folder
// name outside the ANSI code page survives; empty when it cannot be had.
std::wstring PathInCurrentFolder(const std::string& name) {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::vector<wchar_t> folder(needed);
  const DWORD length = GetCurrentDirectoryW(needed, folder.data());
  if (length == 0 || length >= needed) return {};
  std::wstring path(folder.data(), length);
  if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
  for (char c : name) path += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

class WindowsProcess final : public Process {
 public:
  // The viewer starts as a process of its own, on this console, and this one
  // ends at once without waiting for it. The full path keeps the search of the
  // PATH and of the system folders out; the command line is the quoted path
  // alone, so the viewer gets no arguments.
  void StartViewer(const std::string& name) override {
    std::fflush(nullptr);
    const std::wstring path = PathInCurrentFolder(name);
    if (path.empty()) return;
    std::wstring command_line = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
      return;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EndProcess(0);
  }

  void EndProcess(int status) override {
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(status));
  }
};

}  // namespace

std::unique_ptr<Process> MakeSystemProcess() { return std::make_unique<WindowsProcess>(); }

}  // namespace torsova
