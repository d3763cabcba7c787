#include "view/figure/title_text.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace torsova::view {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves undefined are U+FFFD.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

// The length of the UTF-8 sequence at `at` and its code point; 0 when the
// bytes there are no valid sequence (overlong, a surrogate, beyond U+10FFFF,
// or cut off by the end).
std::size_t DecodeUtf8(std::string_view bytes, std::size_t at, char32_t& code_point) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, code_point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, code_point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, code_point = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (byte(at + i) & 0x3F);
  }
  if (code_point < minimum || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return 0;
  }
  return length;
}

// The code points of valid UTF-8; false when the bytes are not. With
// `cut_short`, an unfinished sequence at the very end is left out.
bool CodePointsOfUtf8(std::string_view bytes, bool cut_short, std::vector<char32_t>& out) {
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code_point = 0;
    const std::size_t length = DecodeUtf8(bytes, at, code_point);
    if (length == 0) {
      // A lead byte whose sequence only the cut ended is no fault of the title.
      const bool unfinished =
          cut_short && bytes.size() - at < 4 && static_cast<std::uint8_t>(bytes[at]) >= 0xC0;
      return unfinished;
    }
    out.push_back(code_point);
    at += length;
  }
  return true;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x20) c = c == '\t' ? U' ' : kReplacement;
  if ((c >= 0x7F && c <= 0x9F) || c == 0xFFFE || c == 0xFFFF) c = kReplacement;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::string TitleText(std::string_view bytes, bool cut_short) {
  std::vector<char32_t> code_points;
  if (!CodePointsOfUtf8(bytes, cut_short, code_points)) {
    code_points.clear();
    for (char byte : bytes) {
      const auto b = static_cast<std::uint8_t>(byte);
      code_points.push_back(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char32_t{b});
    }
  }
  std::string text;
  for (char32_t c : code_points) AppendUtf8(c, text);
  return text;
}

}  // namespace torsova::view
