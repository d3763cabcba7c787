#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/platform.h"

namespace torsova {
namespace {

// True when `handle` is a console. A character device such as NUL is not one,
// although the runtime's _isatty says it is.
bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

class WindowsConsole final : public Console {
 public:
  WindowsConsole()
      : output_(GetStdHandle(STD_OUTPUT_HANDLE)),
        input_(GetStdHandle(STD_INPUT_HANDLE)),
        output_is_console_(IsConsole(output_)),
        input_is_console_(IsConsole(input_)) {
    // Text goes out through the handle as it is; should anything reach the
    // runtime's streams, CR LF must stay CR LF there too.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
  }

  void Clear() override {
    CONSOLE_SCREEN_BUFFER_INFO screen;
    if (!output_is_console_ || !GetConsoleScreenBufferInfo(output_, &screen)) return;
    // Blanks in the current colours over the whole buffer, then the cursor home.
    const COORD top_left = {0, 0};
    const DWORD cells = static_cast<DWORD>(screen.dwSize.X) * static_cast<DWORD>(screen.dwSize.Y);
    DWORD done = 0;
    FillConsoleOutputCharacterA(output_, ' ', cells, top_left, &done);
    FillConsoleOutputAttribute(output_, screen.wAttributes, cells, top_left, &done);
    SetConsoleCursorPosition(output_, top_left);
  }

  void Bell() override {
    if (output_is_console_) Beep(1000, 250);
  }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD size = bytes.size() > kMaxWrite ? kMaxWrite : static_cast<DWORD>(bytes.size());
      DWORD put = 0;
      // A closed or broken output loses the text.
      if (!WriteFile(output_, bytes.data(), size, &put, nullptr) || put == 0) return;
      bytes.remove_prefix(put);
    }
  }

  void KeyWait() override {
    if (input_is_console_) {
      // Arrows and function keys arrive as a lead byte and a second one.
      const int key = _getch();
      if (key == 0 || key == 0xE0) _getch();
      return;
    }
    char key = 0;
    DWORD got = 0;
    ReadFile(input_, &key, 1, &got, nullptr);  // the end or an error of the input goes on too
  }

 private:
  // Old consoles refuse very large writes in one call.
  static constexpr DWORD kMaxWrite = 16 * 1024;

  HANDLE output_;
  HANDLE input_;
  bool output_is_console_;
  bool input_is_console_;
};

}  // namespace

std::unique_ptr<Console> MakeSystemConsole() { return std::make_unique<WindowsConsole>(); }

}  // namespace torsova
