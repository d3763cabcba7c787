// A text file the program reads: lines, comma-separated fields and the end
// test, the only three ways any file is read.
//
// Bytes reach the readers as text: CR LF becomes one LF, a lone CR or LF
// stays as it is, a byte 26 ends the readable content, every other byte is an
// ordinary character. The readable content never goes beyond the length the
// file had when it was opened.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace torsova {

class InputFile {
 public:
  // Opens `name` in the folder. A file that cannot be opened is left closed,
  // silently: it reads as an empty file.
  InputFile(Folder& folder, const std::string& name);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const;

  // Yes when nothing is left to read: the file is not open; or no character is
  // put back and either a read has met the end, or the read position has
  // reached the length measured at opening, or only a byte 26 and what follows
  // it remain.
  bool AtEnd();

  // The next line without its line end, of any length. At the end the line is
  // empty; on a file that is not open nothing is read and `line` keeps the
  // value it had.
  void ReadLine(std::string& line);

  // Reads past the next line as ReadLine does, without building it, for a
  // line that is only counted or looked at for being empty. Returns the length
  // ReadLine would have given it: 0 at the end and on a file that is not open.
  std::uint64_t SkipLine();

  // The next field as text (at most 4096 characters).
  std::string ReadTextField();
  // The next field as a number (at most 67 characters), rounded once to the
  // kind read.
  double ReadDoubleField();
  float ReadSingleField();

  // How many bytes from the start of the file the reads so far have used up,
  // so that a field read next begins at or after this byte. 0 on a file that
  // is not open.
  std::uint64_t Position() const;

  // Closes the file; the readers then see an empty file.
  void Close();

 private:
  // The reading state; private to input_file.cpp.
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace torsova
