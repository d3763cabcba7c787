// A command run on a Windows console of its own, for tests that read what it
// shows and press keys in it, and the console helpers they share.
#pragma once

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

namespace torsova::testing {

// True when the standard handle `which` is a console.
bool HasConsole(DWORD which);

// The rows of the console buffer (at most `limit`), without trailing blanks.
std::vector<std::string> ScreenRows(HANDLE screen, SHORT limit = SHRT_MAX);

COORD Cursor(HANDLE screen);

// Presses and lets go of the letter `key`.
void PressKey(HANDLE keyboard, char key);

// A command started on a console of its own without a window; this process
// attaches to that console to read the screen and to press keys.
class ConsoleRun {
 public:
  // With `attach` false the command stays alone on its console until Attach.
  ConsoleRun(std::string command_line, const std::string& dir, bool attach = true);
  ~ConsoleRun();

  // Joins the command's console, once it has set itself up.
  void Attach();
  ConsoleRun(const ConsoleRun&) = delete;
  ConsoleRun& operator=(const ConsoleRun&) = delete;

  bool attached() const {
    return screen_ != INVALID_HANDLE_VALUE && keyboard_ != INVALID_HANDLE_VALUE;
  }
  HANDLE screen() const { return screen_; }
  HANDLE keyboard() const { return keyboard_; }

  // Waits until a row of the screen reads `row`; false after `seconds`.
  bool AwaitRow(const std::string& row, int seconds) const;

  // The exit status, or -1 when the command is still running after `seconds`.
  int AwaitExit(int seconds) const;

 private:
  PROCESS_INFORMATION process_{};
  HANDLE screen_ = INVALID_HANDLE_VALUE;
  HANDLE keyboard_ = INVALID_HANDLE_VALUE;
};

}  // namespace torsova::testing
