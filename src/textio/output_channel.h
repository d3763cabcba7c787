// A file the program writes: the renderings appended one after the other with
// nothing between them, every byte checked on its way to the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace torsova {

// The line end of every line the program writes: carriage return, line feed.
inline constexpr std::string_view kLineEnd = "\r\n";

class OutputChannel {
 public:
  // Creates the file `name` of the folder, or empties the existing one. A file
  // that cannot be created gives a channel that has already failed.
  OutputChannel(Folder& folder, std::string name);
  ~OutputChannel();
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  // The name the file was created under.
  const std::string& name() const { return name_; }

  // Each writes its rendering, then the line end when `ends_line` is set. A
  // double and a mask number never end a line themselves.
  void WriteText(std::string_view text, bool ends_line = false);
  void WritePlainInteger(std::int16_t value, bool ends_line = false);
  void WritePlainSingle(float value, bool ends_line = false);
  void WritePlainDouble(double value);
  void WriteMaskNumber(double value);
  // The line end alone: an empty line, or the end of a line whose last item
  // was a double or a mask number.
  void WriteLineEnd();

  // Writes out what is held back and closes the file. True when the file was
  // created and every byte, the flush and the close succeeded. Later calls
  // return the same answer.
  bool Close();

 private:
  void Append(std::string_view bytes);
  void Flush();

  std::string name_;
  std::unique_ptr<WritableFile> file_;
  std::string pending_;
  bool ok_;
  bool closed_ = false;
};

}  // namespace torsova
