#include "view/figure/title_text.h"

#include <gtest/gtest.h>

#include <string>

namespace torsova::view {
namespace {

TEST(TitleTextTest, TakesUtf8AsItIsAndOtherBytesAsWindows1252) {
  const struct {
    std::string bytes;
    bool cut_short;
    std::string text;
  } cases[] = {
      {"M\xfcller", false, "M\xc3\xbcller"},
      // a byte that could begin a sequence, without the bytes that go on with it
      {"Caf\xe9 au lait", false, "Caf\xc3\xa9 au lait"},
      {"M\xc3\xbcller", false, "M\xc3\xbcller"},
      {"\x80 5 \x9f", false, "\xe2\x82\xac 5 \xc5\xb8"},
      {"\x81", false, "\xef\xbf\xbd"},
      // overlong and surrogate sequences are no UTF-8
      {"\xc0\xaf", false, "\xc3\x80\xc2\xaf"},
      {"\xed\xa0\x80", false, "\xc3\xad\xc2\xa0\xe2\x82\xac"},
      {"a\tb\x01", false, "a b\xef\xbf\xbd"},
      {"\xf0\x9f\x98\x80", false, "\xf0\x9f\x98\x80"},
      // a sequence cut by the length limit is dropped, not taken as 1252
      {"\xc3\xbc\xe2\x82", true, "\xc3\xbc"},
      {"\xc3\xbc\xe2\x82", false, "\xc3\x83\xc2\xbc\xc3\xa2\xe2\x80\x9a"},
  };
  for (const auto& c : cases) EXPECT_EQ(TitleText(c.bytes, c.cut_short), c.text) << c.bytes;
}

}  // namespace
}  // namespace torsova::view
