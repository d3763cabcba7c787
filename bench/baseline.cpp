// The least a run could cost: one process that creates, writes, reads back and
// deletes the same four files as a successful run, with the same sizes, and
// nothing else. The benchmark compares whole runs of torsova against it.
#include <cstdio>
#include <string>

namespace {

void WriteFile(const char* name, const std::string& bytes) {
  if (std::FILE* file = std::fopen(name, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

std::string ReadFile(const char* name) {
  std::string bytes;
  if (std::FILE* file = std::fopen(name, "rb")) {
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
      bytes.append(block, got);
    }
    std::fclose(file);
  }
  return bytes;
}

std::string Lines(int count, std::size_t width) {
  std::string line(width, 'x');
  std::string lines;
  for (int i = 0; i < count; ++i) lines += line + "\r\n";
  return lines;
}

}  // namespace

int main() {
  const std::string form = ReadFile("BodyXYZ.CSV");
  WriteFile("Work2.CSV", Lines(19, 45));
  const std::string table = ReadFile("Work2.CSV");
  WriteFile("Work3.CSV", table);
  WriteFile("Work4.CSV", Lines(20, 41));
  const std::string rows = ReadFile("Work4.CSV");
  WriteFile("3D_BODY.ROT", Lines(41, 38));
  std::remove("Work2.CSV");
  std::remove("Work3.CSV");
  std::remove("Work4.CSV");
  std::fputs(form.empty() || rows.empty() ? "" : "\r\n                          SUCCESS\r\n",
             stdout);
  return 0;
}
