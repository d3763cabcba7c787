// The characters of an input file as the readers see them: CR LF arrives as
// one LF, a lone CR or LF as itself, a byte 26 ends the readable content and
// every other byte (NUL and 128-255 included) is an ordinary character.
//
// Bytes are fetched in blocks and never beyond the length measured at opening;
// a read error of the medium ends the content like the end of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace torsova {

class TextSource {
 public:
  // A null `file` gives a source with nothing in it.
  explicit TextSource(std::unique_ptr<ReadableFile> file);

  bool IsOpen() const { return file_ != nullptr; }
  void Close();

  // Takes the next character, from the put-back slot first. Nothing at the
  // end, which is then remembered as met.
  std::optional<char> Take() {
    if (put_back_) {
      char c = *put_back_;
      put_back_.reset();
      return c;
    }
    if (begin_ < end_) {
      char byte = buffer_[begin_];
      if (byte != kCarriageReturn && byte != kEndOfContent) {
        ++begin_;
        return byte;
      }
    }
    return TakeTranslated();
  }

  // The characters waiting in the buffer, not yet taken; empty while the
  // put-back slot is in use. Those before the first CR or byte 26 need no
  // translation and may be taken at once with Skip.
  std::string_view Buffered() const {
    if (put_back_) return {};
    return std::string_view(buffer_.data() + begin_, end_ - begin_);
  }
  void Skip(std::size_t count) { begin_ += count; }

  // Puts one character back for the next Take; the slot must be empty.
  void PutBack(char c) { put_back_ = c; }
  bool HoldsPutBack() const { return put_back_.has_value(); }

  // How many bytes of the file the characters taken so far came from (a
  // character put back is not taken); a CR LF read as one LF counts two.
  // Reads past a byte 26 or a read error add nothing that means anything.
  std::uint64_t Position() const {
    return length_ - unread_ - (end_ - begin_) - (put_back_ ? 1 : 0);
  }

  // Yes once a Take or TakeLine has found nothing left.
  bool MetEnd() const { return met_end_; }

  // Yes once a byte 26 has ended the content (rather than the file's end).
  bool MetEndMark() const { return met_end_mark_; }

  // Yes when no character is left in the file (the put-back slot aside),
  // including when only a byte 26 and what follows it remain.
  bool NothingLeft();

  // Appends the characters up to the next LF to `line`; the LF is used up and
  // not appended. False when the end came first. Ignores the put-back slot.
  bool TakeLine(std::string& line);

  // Uses up the same characters as TakeLine without keeping them. Returns how
  // many TakeLine would have appended; `last` receives the last of them and is
  // left as it was when there are none.
  std::uint64_t SkipLine(char& last);

 private:
  static constexpr char kCarriageReturn = '\r';
  static constexpr char kLineFeed = '\n';
  static constexpr char kEndOfContent = '\x1a';  // byte 26, Ctrl-Z

  std::optional<char> TakeTranslated();
  // Makes at least one byte available; false at the end of the content.
  bool Fill();
  // Remembers that a read found nothing left.
  std::nullopt_t MeetEnd();
  // Ends the content at the byte 26 the buffer begins with.
  void EndContentHere();
  // The work of TakeLine and SkipLine: hands the line's characters to `sink`
  // as runs of the buffer, calling sink(data, size).
  template <typename Sink>
  bool ScanLine(Sink& sink);

  std::unique_ptr<ReadableFile> file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t length_ = 0;  // the length measured at opening
  std::uint64_t unread_ = 0;  // bytes of the measured length not yet fetched
  bool content_ended_ = false;
  bool met_end_ = false;
  bool met_end_mark_ = false;
  std::optional<char> put_back_;
};

}  // namespace torsova
