// Times the readers on large files: one line of 100 MB, and 100 MB of rows of
// a label and three numbers read field by field. Run from a build folder:
//   ./bench/readers_bench [megabytes]
#include <algorithm>
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

// Writes `piece` again and again: `size` bytes cut anywhere, or as many whole
// pieces as fit when `whole_pieces` is set.
void WriteFile(const fs::path& path, const std::string& piece, std::size_t size,
               bool whole_pieces) {
  if (whole_pieces) size -= size % piece.size();
  std::string block;
  while (block.size() < (1 << 20)) block += piece;
  block.resize(block.size() - block.size() % piece.size());
  std::ofstream out(path, std::ios::binary);
  for (std::size_t left = size; left > 0;) {
    std::size_t n = std::min(left, block.size());
    out.write(block.data(), static_cast<std::streamsize>(n));
    left -= n;
  }
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

  WriteFile(dir / "line.txt", "abcdefghijklmnopqrstuvwxyz0123456789", size, false);
  WriteFile(dir / "rows.csv", "RSHO,123.45,-67.8,9.125\r\n", size, true);

  std::size_t line_length = 0;
  double line_seconds = Seconds([&] {
    InputFile file(*folder, "line.txt");
    std::string line;
    file.ReadLine(line);
    line_length = line.size();
  });

  // The sums keep the compiler from dropping the reads.
  std::size_t rows = 0;
  std::size_t label_bytes = 0;
  double sum = 0;
  double rows_seconds = Seconds([&] {
    InputFile file(*folder, "rows.csv");
    while (!file.AtEnd()) {
      label_bytes += file.ReadTextField().size();
      sum += file.ReadDoubleField();
      sum += file.ReadDoubleField();
      sum += file.ReadSingleField();
      ++rows;
    }
  });

  std::size_t text_fields = 0;
  std::size_t text_bytes = 0;
  double text_seconds = Seconds([&] {
    InputFile file(*folder, "rows.csv");
    while (!file.AtEnd()) {
      text_bytes += file.ReadTextField().size();
      ++text_fields;
    }
  });

  std::printf("file of %zu bytes, one line, ReadLine:            %.3f s\n", line_length,
              line_seconds);
  std::printf("%zu rows of label, double, double, single:   %.3f s (sum %.6g)\n", rows,
              rows_seconds, sum + static_cast<double>(label_bytes));
  std::printf("the same %zu fields, all read as text:       %.3f s (%zu bytes of text)\n",
              text_fields, text_seconds, text_bytes);
  fs::remove_all(dir);
  return 0;
}
