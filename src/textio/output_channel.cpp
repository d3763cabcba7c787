#include "textio/output_channel.h"

#include "textio/mask_number.h"
#include "textio/plain_number.h"

namespace torsova {
namespace {

// Bytes held back before they go to the file in one write.
constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

OutputChannel::OutputChannel(Folder& folder, std::string name)
    : name_(std::move(name)), file_(folder.CreateForWriting(name_)), ok_(file_ != nullptr) {}

OutputChannel::~OutputChannel() { Close(); }

void OutputChannel::WriteText(std::string_view text, bool ends_line) {
  Append(text);
  if (ends_line) WriteLineEnd();
}

void OutputChannel::WritePlainInteger(std::int16_t value, bool ends_line) {
  WriteText(PlainInteger(value), ends_line);
}

void OutputChannel::WritePlainSingle(float value, bool ends_line) {
  WriteText(PlainSingle(value), ends_line);
}

void OutputChannel::WritePlainDouble(double value) { Append(PlainDouble(value)); }

void OutputChannel::WriteMaskNumber(double value) { Append(MaskNumber(value)); }

void OutputChannel::WriteLineEnd() { Append(kLineEnd); }

bool OutputChannel::Close() {
  if (closed_) return ok_;
  closed_ = true;
  Flush();
  if (file_ && !file_->Close()) ok_ = false;
  file_.reset();
  return ok_;
}

void OutputChannel::Append(std::string_view bytes) {
  if (closed_ || !ok_) return;
  if (bytes.size() < kFlushSize) {
    pending_.append(bytes);
    if (pending_.size() >= kFlushSize) Flush();
    return;
  }
  // A long text, such as a long form title, goes to the file as it is rather
  // than through a second copy of itself, in slices: one write of hundreds of
  // megabytes costs the system several times what the same bytes cost in
  // slices of a megabyte.
  Flush();
  constexpr std::size_t kSlice = std::size_t{1} << 20;
  for (std::size_t at = 0; ok_ && at < bytes.size(); at += kSlice) {
    if (!file_->Write(bytes.substr(at, kSlice))) ok_ = false;
  }
}

void OutputChannel::Flush() {
  if (ok_ && !pending_.empty() && !file_->Write(pending_)) ok_ = false;
  pending_.clear();
}

}  // namespace torsova
