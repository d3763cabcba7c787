// Whole runs on a form whose first line is a very long title (200,000,000
// letters unless given), then the example form's lines after its title, side
// by side with a shell baseline that makes the same file passes with `cat`.
// Targets: peak memory at most 1.3 times the title plus 32 MiB, and a run at
// most 3 times the baseline.
// Usage: long_title_bench TORSOVA EXAMPLE_FORM [TITLE_LETTERS]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The form read three times (the third time copied as the table), the table
// read three times (the third time copied as the figure file): the passes the
// stages make over the title, with nothing else done.
constexpr char kShellBaseline[] =
    "cat BodyXYZ.CSV >/dev/null; cat BodyXYZ.CSV >/dev/null; cat BodyXYZ.CSV >Work2.CSV; "
    "cat Work2.CSV >/dev/null; cat Work2.CSV >/dev/null; cat Work2.CSV >3D_BODY.ROT; "
    "rm -f Work2.CSV";

struct RunFigures {
  double seconds;
  double cpu_seconds;
  double peak_mib;
};

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs `argv` in `dir` with standard input and output on /dev/null.
RunFigures RunOnce(const std::vector<const char*>& argv, const fs::path& dir) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    std::FILE* key = std::fopen("/dev/null", "r");
    std::FILE* sink = std::fopen("/dev/null", "w");
    if (::chdir(dir.c_str()) != 0 || !key || !sink) ::_exit(127);
    ::dup2(fileno(key), STDIN_FILENO);
    ::dup2(fileno(sink), STDOUT_FILENO);
    ::execv(argv[0], const_cast<char* const*>(argv.data()));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return {elapsed.count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
          static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// A fresh folder holding only the form, with its bytes on the disk so that
// neither run pays for writing it out.
void ResetFolder(const fs::path& dir, const std::string& form) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "BodyXYZ.CSV", std::ios::binary) << form;
  ::sync();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::printf("usage: %s TORSOVA EXAMPLE_FORM [TITLE_LETTERS]\n", argv[0]);
    return 2;
  }
  const std::string torsova = fs::absolute(argv[1]).string();
  const std::size_t letters = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 200000000;
  std::string form;
  {
    std::ifstream example(argv[2], std::ios::binary);
    std::ostringstream bytes;
    bytes << example.rdbuf();
    const std::string text = bytes.str();
    const std::size_t title_end = text.find('\n');
    if (title_end == std::string::npos) {
      std::printf("%s has no line after its title\n", argv[2]);
      return 2;
    }
    const bool crlf = title_end > 0 && text[title_end - 1] == '\r';
    form.assign(letters, 'a');
    form.append(text, crlf ? title_end - 1 : title_end, std::string::npos);  // the line end on
  }
  const fs::path dir =
      fs::temp_directory_path() / ("torsova-long-title-" + std::to_string(::getpid()));

  constexpr int kRepeats = 5;
  std::vector<double> run_times, run_cpu, base_times, base_cpu;
  double run_peak = 0;
  for (int i = 0; i < kRepeats; ++i) {
    ResetFolder(dir, form);
    const RunFigures run = RunOnce({torsova.c_str(), nullptr}, dir);
    ResetFolder(dir, form);
    const RunFigures base = RunOnce({"/bin/sh", "-c", kShellBaseline, nullptr}, dir);
    run_times.push_back(run.seconds);
    run_cpu.push_back(run.cpu_seconds);
    base_times.push_back(base.seconds);
    base_cpu.push_back(base.cpu_seconds);
    run_peak = std::max(run_peak, run.peak_mib);
  }
  fs::remove_all(dir);

  const double peak_limit = 1.3 * static_cast<double>(letters) / (1 << 20) + 32;
  const double ratio = Median(run_times) / Median(base_times);
  std::printf("long title, %zu letters (median of %d):\n", letters, kRepeats);
  std::printf("  torsova   %6.3f s (cpu %6.3f s), peak %7.1f MiB\n", Median(run_times),
              Median(run_cpu), run_peak);
  std::printf("  baseline  %6.3f s (cpu %6.3f s)\n", Median(base_times), Median(base_cpu));
  std::printf("  time %.2f times the baseline (target at most 3): %s\n", ratio,
              ratio <= 3 ? "met" : "MISSED");
  std::printf("  peak %.1f MiB against 1.3 x title + 32 MiB = %.1f MiB: %s\n", run_peak, peak_limit,
              run_peak <= peak_limit ? "met" : "MISSED");
  return 0;
}
