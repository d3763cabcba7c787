// Arbitrary bytes as a file, read by an arbitrary sequence of the three
// readers: no field beyond its longest length, nothing returned from beyond
// the readable content, and the end always reached.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "support/memory_folder.h"
#include "textio/input_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string script = provider.ConsumeBytesAsString(provider.ConsumeIntegralInRange(0, 64));
  const std::string content = provider.ConsumeRemainingBytesAsString();
  const std::size_t readable = std::min(content.find('\x1a'), content.size());

  torsova::testing::MemoryFolder folder;
  folder.files["form.csv"] = content;
  torsova::InputFile file(folder, "form.csv");

  std::size_t returned = 0;   // characters handed out as lines and text fields
  bool lines_allowed = true;  // lines come before the first field of an opening
  for (char step : script) {
    switch (static_cast<unsigned char>(step) % 5) {
      case 0:
        if (lines_allowed) {
          std::string line = "unchanged";
          file.ReadLine(line);
          Check(line.find('\x1a') == std::string::npos);
          returned += line.size();
        }
        break;
      case 1: {
        std::string field = file.ReadTextField();
        Check(field.size() <= 4096);
        Check(field.find('\x1a') == std::string::npos);
        returned += field.size();
        lines_allowed = false;
        break;
      }
      case 2:
        file.ReadDoubleField();
        lines_allowed = false;
        break;
      case 3:
        file.ReadSingleField();
        lines_allowed = false;
        break;
      default:
        file.AtEnd();
        break;
    }
    Check(returned <= readable);
  }

  // Every field read takes at least one character, so the end comes within
  // as many reads as there are characters.
  std::size_t reads = 0;
  while (!file.AtEnd()) {
    file.ReadTextField();
    Check(++reads <= readable + 1);
  }
  return 0;
}
