#include "textio/text_source.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace torsova {
namespace {

// Large enough that a file of hundreds of megabytes takes few system calls.
constexpr std::size_t kBlockSize = 64 * 1024;
// A line up to this long grows as strings do.
constexpr std::size_t kShortLine = std::size_t{1} << 20;

}  // namespace

TextSource::TextSource(std::unique_ptr<ReadableFile> file) : file_(std::move(file)) {
  if (!file_) return;
  length_ = unread_ = file_->Length();
  // A small file needs no more than its own size.
  buffer_.resize(static_cast<std::size_t>(std::clamp<std::uint64_t>(unread_, 1, kBlockSize)));
}

void TextSource::Close() {
  file_.reset();
  buffer_ = std::vector<char>();
  begin_ = end_ = 0;
  length_ = unread_ = 0;
  content_ended_ = true;
  put_back_.reset();
}

bool TextSource::Fill() {
  if (content_ended_ || !file_) return false;
  std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), unread_));
  // After a read error the file is not asked again: the content has ended.
  std::size_t got = wanted == 0 ? 0 : file_->Read(buffer_.data(), wanted);
  if (got == 0) {
    content_ended_ = true;
    return false;
  }
  got = std::min(got, wanted);
  unread_ -= got;
  begin_ = 0;
  end_ = got;
  return true;
}

std::nullopt_t TextSource::MeetEnd() {
  met_end_ = true;
  return std::nullopt;
}

void TextSource::EndContentHere() {
  content_ended_ = true;
  met_end_mark_ = true;
  begin_ = end_;
}

std::optional<char> TextSource::TakeTranslated() {
  if (begin_ == end_ && !Fill()) return MeetEnd();
  char byte = buffer_[begin_];
  if (byte == kEndOfContent) {
    EndContentHere();
    return MeetEnd();
  }
  ++begin_;
  if (byte == kCarriageReturn && (begin_ < end_ || Fill()) && buffer_[begin_] == kLineFeed) {
    ++begin_;
    byte = kLineFeed;
  }
  return byte;
}

bool TextSource::NothingLeft() {
  if (begin_ == end_ && !Fill()) return true;
  if (buffer_[begin_] == kEndOfContent) {
    EndContentHere();
    return true;
  }
  return false;
}

namespace {

// The first `c` in [from, to), or `to` when there is none.
const char* Find(const char* from, const char* to, char c) {
  const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
  return found ? static_cast<const char*>(found) : to;
}

// Counts a line's characters for SkipLine and remembers the last one.
struct LineCounter {
  std::uint64_t count = 0;
  char& last;

  void operator()(const char* data, std::size_t size) {
    if (size == 0) return;
    count += size;
    last = data[size - 1];
  }
};

}  // namespace

template <typename Sink>
bool TextSource::ScanLine(Sink& sink) {
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      MeetEnd();
      return false;
    }
    const char* start = buffer_.data() + begin_;
    const char* stop = buffer_.data() + end_;
    const char* line_feed = Find(start, stop, kLineFeed);
    const char* limit = Find(start, line_feed, kEndOfContent);
    const char* run = start;
    bool refilled = false;
    // A CR belongs to the line unless an LF follows it directly.
    for (const char* cr; (cr = Find(run, limit, kCarriageReturn)) != limit; run = cr + 1) {
      sink(run, static_cast<std::size_t>(cr - run));
      if (cr + 1 == line_feed && line_feed != stop) {
        begin_ = static_cast<std::size_t>(line_feed + 1 - buffer_.data());
        return true;
      }
      if (cr + 1 == stop) {
        // The next block's first byte decides; this block is used up.
        begin_ = end_;
        if (Fill() && buffer_[begin_] == kLineFeed) {
          ++begin_;
          return true;
        }
        sink(&kCarriageReturn, 1);
        refilled = true;
        break;
      }
      sink(&kCarriageReturn, 1);
    }
    if (refilled) continue;
    sink(run, static_cast<std::size_t>(limit - run));
    if (limit != line_feed) {
      EndContentHere();
      MeetEnd();
      return false;
    }
    begin_ = static_cast<std::size_t>(limit - buffer_.data());
    if (limit != stop) {
      ++begin_;
      return true;
    }
  }
}

bool TextSource::TakeLine(std::string& line) {
  // No line is longer than what is left of the content. A line that outgrows
  // kShortLine is given that much room at once, so it is never copied as it
  // grows; the room it leaves unused is never touched, and is let go when it is
  // more than the line.
  const std::uint64_t left = unread_ + (end_ - begin_);
  bool given_room = false;
  auto append = [&](const char* data, std::size_t size) {
    if (!given_room && line.size() + size > std::max(line.capacity(), kShortLine)) {
      given_room = true;
      const std::uint64_t room = std::min<std::uint64_t>(line.size() + left, line.max_size());
      try {
        line.reserve(static_cast<std::size_t>(room));
      } catch (const std::bad_alloc&) {
        // Without that room the line grows as strings do.
      }
    }
    line.append(data, size);
  };
  const bool ended_by_line_feed = ScanLine(append);
  if (given_room && line.capacity() - line.size() > line.size()) line.shrink_to_fit();
  return ended_by_line_feed;
}

std::uint64_t TextSource::SkipLine(char& last) {
  LineCounter counter{0, last};
  ScanLine(counter);
  return counter.count;
}

}  // namespace torsova
