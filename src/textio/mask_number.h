// How a value becomes characters through the fixed mask of two decimals. The
// texts are fixed byte for byte and do not depend on the locale, the C library
// or the compiler.
#pragma once

#include <string>

namespace torsova {

// The value through the mask " ##########.## ": 15 characters while it fits,
// longer behind a percent sign when it does not. Hundredths are rounded half
// up on the sixteen-digit decimal form, not on the binary value.
//   12.5 -> "         12.50 "    2.675 -> "          2.68 "    -0.001 -> "         -0.00 "
//   -1234567890 -> " %-1234567890.00 "    1e30 -> " % 100000000.00E+%22 "
std::string MaskNumber(double value);

}  // namespace torsova
