#include "textio/text_source.h"

#include <algorithm>

namespace torsova {
namespace {

// Large enough that a file of hundreds of megabytes takes few system calls.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

TextSource::TextSource(std::unique_ptr<ReadableFile> file) : file_(std::move(file)) {
  if (!file_) return;
  unread_ = file_->Length();
  // A small file needs no more than its own size.
  buffer_.resize(static_cast<std::size_t>(std::clamp<std::uint64_t>(unread_, 1, kBlockSize)));
}

void TextSource::Close() {
  file_.reset();
  buffer_ = std::vector<char>();
  begin_ = end_ = 0;
  unread_ = 0;
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

bool TextSource::TakeLine(std::string& line) {
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      MeetEnd();
      return false;
    }
    const char* start = buffer_.data() + begin_;
    const char* stop = buffer_.data() + end_;
    const char* special = start;
    while (special != stop && *special != kLineFeed && *special != kCarriageReturn &&
           *special != kEndOfContent) {
      ++special;
    }
    line.append(start, special);
    begin_ += static_cast<std::size_t>(special - start);
    if (special == stop) continue;
    char byte = *special;
    if (byte == kEndOfContent) {
      EndContentHere();
      MeetEnd();
      return false;
    }
    ++begin_;
    if (byte == kLineFeed) return true;
    // A CR ends the line only together with the LF directly after it.
    if ((begin_ < end_ || Fill()) && buffer_[begin_] == kLineFeed) {
      ++begin_;
      return true;
    }
    line.push_back(kCarriageReturn);
  }
}

}  // namespace torsova
