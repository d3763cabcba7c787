#include "support/console_run_windows.h"

#include <chrono>
#include <thread>

namespace torsova::testing {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

bool HasConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

std::vector<std::string> ScreenRows(HANDLE screen, SHORT limit) {
  std::vector<std::string> rows;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(screen, &info)) return rows;
  for (SHORT y = 0; y < info.dwSize.Y && y < limit; ++y) {
    std::string row(static_cast<std::size_t>(info.dwSize.X), ' ');
    DWORD got = 0;
    ReadConsoleOutputCharacterA(screen, row.data(), info.dwSize.X, COORD{0, y}, &got);
    row.resize(got);
    row.erase(row.find_last_not_of(' ') + 1);
    rows.push_back(row);
  }
  return rows;
}

COORD Cursor(HANDLE screen) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(screen, &info);
  return info.dwCursorPosition;
}

void PressKey(HANDLE keyboard, char key) {
  INPUT_RECORD events[2] = {};
  for (int i = 0; i < 2; ++i) {
    events[i].EventType = KEY_EVENT;
    events[i].Event.KeyEvent.bKeyDown = i == 0;
    events[i].Event.KeyEvent.wRepeatCount = 1;
    events[i].Event.KeyEvent.wVirtualKeyCode = static_cast<WORD>(key - 'a' + 'A');
    events[i].Event.KeyEvent.uChar.AsciiChar = key;
  }
  DWORD written = 0;
  WriteConsoleInputA(keyboard, events, 2, &written);
}

ConsoleRun::ConsoleRun(std::string command_line, const std::string& dir, bool attach) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, dir.c_str(), &startup, &process_)) {
    return;
  }
  CloseHandle(process_.hThread);
  if (attach) Attach();
}

void ConsoleRun::Attach() {
  if (process_.hProcess == nullptr) return;
  FreeConsole();
  // The console exists once the new process has set itself up.
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!AttachConsole(process_.dwProcessId) && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  screen_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
  keyboard_ = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, 0, nullptr);
}

ConsoleRun::~ConsoleRun() {
  if (screen_ != INVALID_HANDLE_VALUE) CloseHandle(screen_);
  if (keyboard_ != INVALID_HANDLE_VALUE) CloseHandle(keyboard_);
  FreeConsole();
  if (process_.hProcess != nullptr) {
    TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
  }
}

bool ConsoleRun::AwaitRow(const std::string& row, int seconds) const {
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < deadline) {
    for (const std::string& shown : ScreenRows(screen_, 25)) {
      if (shown == row) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

int ConsoleRun::AwaitExit(int seconds) const {
  DWORD status = 0;
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(seconds) * 1000) !=
          WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_.hProcess, &status)) {
    return -1;
  }
  return static_cast<int>(status);
}

}  // namespace torsova::testing
