// Arbitrary doubles and singles through the renderings, checked against what
// the mask and the general form promise, and read back through the readers.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/memory_folder.h"
#include "textio/input_file.h"
#include "textio/mask_number.h"
#include "textio/plain_number.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

double ReadBack(const std::string& text) {
  torsova::testing::MemoryFolder folder;
  folder.files["value.csv"] = text;
  torsova::InputFile file(folder, "value.csv");
  return file.ReadDoubleField();
}

void CheckMask(double value) {
  const std::string mask = torsova::MaskNumber(value);
  Check(mask.size() >= 15 && mask.front() == ' ' && mask.back() == ' ');
  if (std::isnan(value) || std::isinf(value)) {
    Check(mask.size() == 15 && mask.find(std::isnan(value) ? "NAN" : "INF") == 11);
    return;
  }
  // Integer capacity: 10 digits, 9 when the minus sign takes one position.
  const double limit = std::signbit(value) ? 999999999.995 : 9999999999.995;
  const double magnitude = std::fabs(value);
  if (magnitude < limit * (1 - 1e-15)) {
    Check(mask.size() == 15 && mask[1] != '%');
    Check(mask[11] == '.');  // space, 10 integer positions, the point
    // Within half a hundredth, plus the rounding of the decimal forms.
    const double back = ReadBack(mask);
    Check(std::fabs(back - value) <= 0.005 + magnitude * 1e-15);
    Check(std::signbit(back) == std::signbit(value) || back == 0);
  } else if (magnitude > limit * (1 + 1e-15)) {
    Check(mask[1] == '%' && mask.size() > 15);
  }
}

void CheckGeneral(const std::string& text, double value, std::size_t digits) {
  Check(!text.empty() && (text[0] == ' ' || text[0] == '-'));
  Check(std::signbit(value) == (text[0] == '-'));
  if (!std::isfinite(value)) return;
  // At most `digits` significant digits, so the text lies within half a unit
  // of the last one; reading it back rounds once more, by up to half the
  // spacing of doubles there.
  const double back = ReadBack(text);
  const double unit = std::pow(
      10.0, std::floor(std::log10(std::fabs(value) + 1e-320)) - static_cast<double>(digits) + 1);
  const double spacing = std::fabs(std::nextafter(value, 0.0) - value);
  Check(std::fabs(back - value) <= unit * 0.5000001 + spacing || std::isinf(back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    CheckMask(value);
    CheckGeneral(torsova::PlainDouble(value), value, 16);
  }
  if (size >= sizeof(float)) {
    float single;
    std::memcpy(&single, data, sizeof single);
    CheckGeneral(torsova::PlainSingle(single), single, 7);
    CheckMask(single);
  }
  return 0;
}
