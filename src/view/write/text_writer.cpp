#include "view/write/text_writer.h"

#include <charconv>

namespace torsova::view {

TextWriter& TextWriter::Shortest(double value) {
  char text[32];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  return *this << std::string_view(text, static_cast<std::size_t>(result.ptr - text));
}

TextWriter& TextWriter::Fixed(double value, int decimals) {
  char text[400];  // a finite double has at most 309 integer digits
  const std::to_chars_result result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  std::string_view digits(text, static_cast<std::size_t>(result.ptr - text));
  if (digits.find('.') != std::string_view::npos) {
    while (digits.back() == '0') digits.remove_suffix(1);
    if (digits.back() == '.') digits.remove_suffix(1);
  }
  if (digits == "-0") digits = "0";
  return *this << digits;
}

TextWriter& TextWriter::Count(std::size_t value) {
  char text[24];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  return *this << std::string_view(text, static_cast<std::size_t>(result.ptr - text));
}

void TextWriter::Flush() {
  if (!buffer_.empty() && !sink_.Put(buffer_)) lost_ = true;
  buffer_.clear();
}

bool TextWriter::Finish() {
  Flush();
  return !lost_;
}

}  // namespace torsova::view
