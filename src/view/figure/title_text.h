// The figure's title as text. It came from a spreadsheet, in UTF-8 or in the
// Windows code page of the machine that saved it.
#pragma once

#include <string>
#include <string_view>

namespace torsova::view {

// The title's bytes as UTF-8: as they are when they are valid UTF-8,
// otherwise each byte read as Windows-1252. `cut_short` tells that the bytes
// were cut off after some length: an unfinished UTF-8 sequence at their end is
// then dropped instead of making the whole text Windows-1252. Control
// characters and U+FFFE/U+FFFF, which no page or drawing may hold, become
// U+FFFD; a tab becomes a space.
//   "M\xfcller" -> "Müller"    "M\xc3\xbcller" -> "Müller"    "\x80 5" -> "€ 5"
std::string TitleText(std::string_view bytes, bool cut_short = false);

}  // namespace torsova::view
