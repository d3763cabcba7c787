// torsova.exe on a real Windows console: the clear empties the whole buffer,
// the page starts at its top left, and one key press ends the wait without
// being shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using Clock = std::chrono::steady_clock;

using testing::ExampleForm;

bool HasConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

// The rows of the console buffer (at most `limit`), without trailing blanks.
std::vector<std::string> ScreenRows(HANDLE screen, SHORT limit = SHRT_MAX) {
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

// A command started on a console of its own without a window; this process
// attaches to that console to read the screen and to press keys.
class ConsoleRun {
 public:
  ConsoleRun(std::string command_line, const std::string& dir) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, dir.c_str(), &startup, &process_)) {
      return;
    }
    CloseHandle(process_.hThread);
    FreeConsole();
    // The console exists once the new process has set itself up.
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!AttachConsole(process_.dwProcessId) && Clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    screen_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    keyboard_ = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  ~ConsoleRun() {
    if (screen_ != INVALID_HANDLE_VALUE) CloseHandle(screen_);
    if (keyboard_ != INVALID_HANDLE_VALUE) CloseHandle(keyboard_);
    FreeConsole();
    if (process_.hProcess != nullptr) {
      TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
    }
  }
  ConsoleRun(const ConsoleRun&) = delete;
  ConsoleRun& operator=(const ConsoleRun&) = delete;

  bool attached() const {
    return screen_ != INVALID_HANDLE_VALUE && keyboard_ != INVALID_HANDLE_VALUE;
  }
  HANDLE screen() const { return screen_; }
  HANDLE keyboard() const { return keyboard_; }

  // Waits until a row of the screen reads `row`; false after `seconds`.
  bool AwaitRow(const std::string& row, int seconds) const {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < deadline) {
      for (const std::string& shown : ScreenRows(screen_, 25)) {
        if (shown == row) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // The exit status, or -1 when the command is still running after `seconds`.
  int AwaitExit(int seconds) const {
    DWORD status = 0;
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(seconds) * 1000) !=
            WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.hProcess, &status)) {
      return -1;
    }
    return static_cast<int>(status);
  }

 private:
  PROCESS_INFORMATION process_{};
  HANDLE screen_ = INVALID_HANDLE_VALUE;
  HANDLE keyboard_ = INVALID_HANDLE_VALUE;
};

TEST(WindowsConsoleTest, PageReplacesEarlierTextAndTheKeyIsNotShown) {
  // Attaching to another console takes this process off its own, which would
  // silence a test run in a console window.
  if (HasConsole(STD_OUTPUT_HANDLE) || HasConsole(STD_ERROR_HANDLE)) {
    GTEST_SKIP() << "needs its output redirected, as under CTest";
  }
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", ExampleForm());
  char system_folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryA(system_folder, MAX_PATH), 0u);
  // The console shows a line of an earlier command when torsova starts.
  ConsoleRun run(std::string("\"") + system_folder + "\\cmd.exe\" /c \"echo EARLIER OUTPUT&& \"" +
                     testing::TorsovaBinary() + "\"\"",
                 folder.path());
  ASSERT_TRUE(run.attached());
  const std::string key_line = "                 Press any key to continue";
  ASSERT_TRUE(run.AwaitRow(key_line, 20)) << "the page did not appear";

  const std::vector<std::string> page = {
      "",      "                          SUCCESS",
      "",      "Gyrovex will now load. Open the file 3D_BODY.ROT.",
      "",      "",
      key_line};
  std::vector<std::string> rows = ScreenRows(run.screen());
  ASSERT_GE(rows.size(), page.size());
  for (std::size_t y = 0; y < rows.size(); ++y) {
    EXPECT_EQ(rows[y], y < page.size() ? page[y] : "") << "row " << y;
  }
  const COORD cursor = Cursor(run.screen());
  EXPECT_EQ(cursor.X, 0);
  EXPECT_EQ(cursor.Y, 7);

  PressKey(run.keyboard(), 'k');
  EXPECT_EQ(run.AwaitExit(10), 0);
  rows = ScreenRows(run.screen());
  for (std::size_t y = page.size(); y < rows.size(); ++y) {
    EXPECT_EQ(rows[y], "") << "row " << y << " after the key";
  }
}

}  // namespace
}  // namespace torsova
