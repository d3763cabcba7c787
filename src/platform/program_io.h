// What a command-line program needs beyond files: its arguments, standard
// output and standard error as byte streams, and the desktop's opener.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torsova {

// The arguments after the program's name, as UTF-8 (on Windows taken from
// the wide-character command line, whatever the code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The name this program was started under, its folder left off, as UTF-8. On
// POSIX systems that is argv[0], so a symbolic link gives its own name, not
// its target's; on Windows it is the file the system loaded, so a copy gives
// its own name whatever the caller put first on the command line.
std::string ProgramName(int argc, char** argv);

// Standard output and standard error take bytes as they are, with no line
// end translation; a console shows UTF-8 text as such. False when not all of
// the bytes arrived.
bool WriteStandardOutput(std::string_view bytes);
void WriteStandardError(std::string_view bytes);

// Yes when this program has a console window to itself, as when it was
// started from the desktop (a double click, a file dropped on it) rather than
// from a console: the window closes as soon as the program ends. Never on a
// POSIX system, whose terminals stay.
bool HasConsoleOfItsOwn();

// Opens the file at `path` with the system's default program for its kind
// (the desktop's opener, xdg-open, on POSIX systems; the shell on Windows).
// False, with a reason, when that failed.
bool OpenWithDefaultProgram(const std::string& path, std::string& reason);

}  // namespace torsova
