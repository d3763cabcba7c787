// UTF-8 inside the program, UTF-16 at the Windows API: conversions both ways.
#pragma once

#include <string>
#include <string_view>

namespace torsova {

// Invalid UTF-8 becomes U+FFFD; an unpaired surrogate the same way back.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace torsova
