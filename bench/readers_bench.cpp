// Times the readers on large files: one line of 100 MB, and 100 MB of rows of
// a label and three numbers read field by field. Run from a build folder:
//   ./bench/readers_bench [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

#include "platform/platform.h"
#include "textio/input_file.h"

namespace {

namespace fs = std::filesystem;
using torsova::InputFile;

void WriteFile(const fs::path& path, const std::string& piece, std::size_t size, bool one_line) {
  std::ofstream out(path, std::ios::binary);
  std::string block;
  while (block.size() < (1 << 20)) block += piece;
  std::size_t written = 0;
  while (written + block.size() <= size) {
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    written += block.size();
  }
  if (one_line) out << "\r\n";
}

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
  std::size_t size = megabytes << 20;
  fs::path dir = fs::temp_directory_path() / "torsova-readers-bench";
  fs::create_directories(dir);
  std::unique_ptr<torsova::Folder> folder = torsova::MakeSystemFolder(dir.string());

  WriteFile(dir / "line.txt", "abcdefghijklmnopqrstuvwxyz0123456789", size, true);
  WriteFile(dir / "rows.csv", "RSHO,123.45,-67.8,9.125\r\n", size, false);

  std::size_t line_length = 0;
  double line_seconds = Seconds([&] {
    InputFile file(*folder, "line.txt");
    std::string line;
    file.ReadLine(line);
    line_length = line.size();
  });

  std::size_t fields = 0;
  double sum = 0;
  double rows_seconds = Seconds([&] {
    InputFile file(*folder, "rows.csv");
    while (!file.AtEnd()) {
      fields += file.ReadTextField().size() == 4;
      sum += file.ReadDoubleField();
      sum += file.ReadDoubleField();
      sum += file.ReadSingleField();
      fields += 3;
    }
  });

  std::size_t text_fields = 0;
  double text_seconds = Seconds([&] {
    InputFile file(*folder, "rows.csv");
    while (!file.AtEnd()) {
      file.ReadTextField();
      ++text_fields;
    }
  });

  std::printf("one line of %zu bytes, ReadLine:          %.3f s\n", line_length, line_seconds);
  std::printf("%zu fields (text, double, double, single): %.3f s (sum %.6g)\n", fields,
              rows_seconds, sum);
  std::printf("%zu fields, all as text:                   %.3f s\n", text_fields, text_seconds);
  fs::remove_all(dir);
  return 0;
}
