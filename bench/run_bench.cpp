// Whole-process and in-process figures for torsova:
//   (a) a successful run on the example form against the baseline program,
//   (b) runs on forms of 10^3 to 10^6 data rows: time, peak memory, growth,
//   (c) renderings and readers on their own: values and fields per second.
// Usage: torsova_bench TORSOVA BASELINE EXAMPLE_FORM
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "landmarks/landmark_set.h"
#include "platform/platform.h"
#include "textio/input_file.h"
#include "textio/mask_number.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

struct ProcessFigures {
  double seconds;
  long peak_kib;
};

// Runs `program` in `dir` with a key on standard input and output discarded.
ProcessFigures RunOnce(const std::string& program, const fs::path& dir) {
  const auto start = Clock::now();
  pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    std::FILE* key = std::fopen("/dev/null", "r");
    ::dup2(fileno(key), STDIN_FILENO);
    std::FILE* sink = std::fopen("/dev/null", "w");
    ::dup2(fileno(sink), STDOUT_FILENO);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return {seconds, usage.ru_maxrss};
}

void ResetFolder(const fs::path& dir, const std::string& form) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "BodyXYZ.CSV", std::ios::binary) << form;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string FormOfRows(long rows) {
  std::string form = "Benchmark subject,,,\r\nLabel,X,Y,Z\r\n";
  std::mt19937 random(7);
  std::uniform_int_distribution<int> centimetres(-2000, 2000);
  for (long i = 0; i < rows; ++i) {
    form +=
        std::string(torsova::LandmarkSet[static_cast<std::size_t>(i) % torsova::kLandmarkCount]);
    for (int axis = 0; axis < 3; ++axis) {
      int value = centimetres(random);
      form += "," + std::to_string(value / 10) + "." + std::to_string(std::abs(value % 10));
    }
    form += "\r\n";
  }
  return form;
}

template <typename Work>
double PerSecond(long count, Work work) {
  const auto start = Clock::now();
  work();
  return static_cast<double>(count) / std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stdout, "usage: %s TORSOVA BASELINE EXAMPLE_FORM\n", argv[0]);
    return 2;
  }
  const std::string torsova = fs::absolute(argv[1]).string();
  const std::string baseline = fs::absolute(argv[2]).string();
  const std::string example = ReadWhole(argv[3]);
  const fs::path dir = fs::temp_directory_path() / ("torsova-bench-" + std::to_string(::getpid()));

  // (a) The example form, against the baseline.
  constexpr int kRepeats = 101;
  std::vector<double> run_times, base_times;
  for (int i = 0; i < kRepeats; ++i) {
    ResetFolder(dir, example);
    run_times.push_back(RunOnce(torsova, dir).seconds);
    ResetFolder(dir, example);
    base_times.push_back(RunOnce(baseline, dir).seconds);
  }
  const double run_median = Median(run_times), base_median = Median(base_times);
  std::printf("(a) example form: torsova %.3f ms, baseline %.3f ms, ratio %.2f (median of %d)\n",
              run_median * 1e3, base_median * 1e3, run_median / base_median, kRepeats);

  // (b) Forms of growing size.
  double previous = 0;
  for (long rows : {1000L, 10000L, 100000L, 1000000L}) {
    const std::string form = FormOfRows(rows);
    std::vector<double> times;
    long peak = 0;
    for (int i = 0; i < 5; ++i) {
      ResetFolder(dir, form);
      ProcessFigures figures = RunOnce(torsova, dir);
      times.push_back(figures.seconds);
      peak = std::max(peak, figures.peak_kib);
    }
    const double median = Median(times);
    std::printf("(b) %8ld rows: %8.3f ms, peak %7.1f MiB", rows, median * 1e3, peak / 1024.0);
    if (previous > 0) std::printf(", %.1f times the previous size's time", median / previous);
    std::printf("\n");
    previous = median;
  }

  // (c) Renderings and readers on their own.
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> spread(-1e6, 1e6);
  std::vector<double> values(1000000);
  for (double& value : values) value = spread(random);
  std::size_t sink = 0;
  std::printf("(c) MaskNumber   %12.0f values/s\n", PerSecond(values.size(), [&] {
                for (double v : values) sink += torsova::MaskNumber(v).size();
              }));
  std::printf("(c) PlainDouble  %12.0f values/s\n", PerSecond(values.size(), [&] {
                for (double v : values) sink += torsova::PlainDouble(v).size();
              }));
  std::printf("(c) PlainSingle  %12.0f values/s\n", PerSecond(values.size(), [&] {
                for (double v : values) sink += torsova::PlainSingle(static_cast<float>(v)).size();
              }));
  ResetFolder(dir, FormOfRows(1000000));
  std::unique_ptr<torsova::Folder> folder = torsova::MakeSystemFolder(dir.string());
  for (const char* kind : {"text", "double"}) {
    torsova::InputFile file(*folder, "BodyXYZ.CSV");
    long fields = 0;
    const auto start = Clock::now();
    while (!file.AtEnd()) {
      if (kind[0] == 't') {
        sink += file.ReadTextField().size();
      } else {
        sink += file.ReadDoubleField() > 0;
      }
      ++fields;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("(c) ReadField %-6s %10.0f fields/s (%ld fields)\n", kind, fields / seconds,
                fields);
  }
  fs::remove_all(dir);
  return sink == 0 ? 1 : 0;
}
