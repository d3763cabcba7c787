// The narrow seam between the run and the operating system: the console, the
// files of one folder and the process. Each system implements it in its own
// files (console_posix.cpp, console_windows.cpp, ...); the stages never ask
// which system they run on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace torsova {

// The text console the pages are written to.
class Console {
 public:
  virtual ~Console() = default;

  // Empties the window and puts the cursor at its top left corner. Does nothing
  // when the output is not a console.
  virtual void Clear() = 0;

  // Sounds the tone of 1000 Hz for 250 ms. Does nothing when the output is not
  // a console.
  virtual void Bell() = 0;

  // Writes the bytes as they are: no translation, no line end added.
  virtual void Write(std::string_view bytes) = 0;

  // Waits for one key without showing it. When the input is not a console it
  // takes one byte, and returns at once at the end of the input.
  virtual void KeyWait() = 0;
};

// A file of the folder, open for reading.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;

  // The length in bytes measured when the file was opened. The readable content
  // never extends beyond it, however the file changes afterwards.
  virtual std::uint64_t Length() const = 0;

  // Reads up to `size` bytes into `buffer` and returns how many it read: 0 at
  // the end of the file and after a read error of the medium.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A file of the folder, created (or emptied) for writing.
class WritableFile {
 public:
  virtual ~WritableFile() = default;

  // Appends the bytes. False when not all of them reached the file.
  virtual bool Write(std::string_view bytes) = 0;

  // Closes the file. False when closing failed. Further calls do nothing and
  // return true.
  virtual bool Close() = 0;
};

// The files of one folder, named without regard to ASCII letter case: an exact
// spelling wins, otherwise the first case variant in byte order is the file.
class Folder {
 public:
  virtual ~Folder() = default;

  // Null when the file cannot be opened (it is missing, a folder, ...).
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) = 0;

  // Creates the file, or empties the existing one (keeping the spelling of its
  // name). Null when that is not possible.
  virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) = 0;

  // Deletes the file. False when there was none or it could not be deleted.
  virtual bool Delete(const std::string& name) = 0;
};

// The running process itself.
class Process {
 public:
  virtual ~Process() = default;

  // Starts the program `name` of the current folder, with no arguments, in
  // place of this one. Returns only when the start failed.
  virtual void StartViewer(const std::string& name) = 0;

  // Ends the process with the exit status.
  [[noreturn]] void Exit(int status) {
    EndProcess(status);
    std::abort();  // EndProcess never comes back
  }

 protected:
  // Ends the process; an implementation must not return (a test fake may throw).
  virtual void EndProcess(int status) = 0;
};

// What the stages reach the system through.
struct Platform {
  Console& console;
  Folder& folder;
  Process& process;
};

// The implementations of this system.
std::unique_ptr<Console> MakeSystemConsole();
std::unique_ptr<Folder> MakeSystemFolder(const std::string& path);
std::unique_ptr<Process> MakeSystemProcess();

}  // namespace torsova
