// Text on its way to an output: gathered in blocks and handed to a sink, with
// numbers written through std::to_chars, so that the same values give the
// same bytes on every system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torsova::view {

// Where the blocks go: a file being written, standard output, a test string.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when not all of the bytes arrived.
  virtual bool Put(std::string_view bytes) = 0;
};

class TextWriter {
 public:
  explicit TextWriter(ByteSink& sink) : sink_(sink) {}
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  TextWriter& operator<<(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kBlock) Flush();
    return *this;
  }
  TextWriter& operator<<(char c) {
    buffer_.push_back(c);
    if (buffer_.size() >= kBlock) Flush();
    return *this;
  }

  // The shortest text that reads back as the same double.
  //   0.08 -> "0.08"    158.9 -> "158.9"    92 -> "92"    1e30 -> "1e+30"
  TextWriter& Shortest(double value);

  // A fixed number of decimals, then trailing zeros and a bare point dropped;
  // a value that rounds to zero is "0".
  //   (12.345, 2) -> "12.35"    (12.5, 2) -> "12.5"    (-0.001, 2) -> "0"
  TextWriter& Fixed(double value, int decimals);

  // A count of things.
  TextWriter& Count(std::size_t value);

  // Hands the rest to the sink; false when anything written was lost.
  bool Finish();

 private:
  static constexpr std::size_t kBlock = 64 * 1024;

  void Flush();

  ByteSink& sink_;
  std::string buffer_;
  bool lost_ = false;
};

// A sink that keeps everything, for short texts and tests.
class StringSink final : public ByteSink {
 public:
  bool Put(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};

}  // namespace torsova::view
