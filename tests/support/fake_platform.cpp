#include "support/fake_platform.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace torsova::testing {
namespace fs = std::filesystem;
namespace {

std::string BytesAt(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed() ^ static_cast<std::uint64_t>(
                                      std::chrono::steady_clock::now().time_since_epoch().count()));
  for (;;) {
    fs::path candidate = fs::temp_directory_path() / ("torsova-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(fs::path(path_) / fs::u8path(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchFolder::Read(const std::string& name) const {
  return BytesAt(fs::path(path_) / fs::u8path(name));
}

bool ScratchFolder::Exists(const std::string& name) const {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(fs::path(path_) / fs::u8path(name), ignored));
}

std::vector<std::string> ScratchFolder::List() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(path_)) {
    names.push_back(entry.path().filename().u8string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFileBytes(const std::string& path) { return BytesAt(path); }

std::string ExampleForm() {
  return ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) + "/examples/BodyXYZ.CSV");
}

FakeRun::FakeRun()
    : folder(MakeSystemFolder(scratch.path())), state(Platform{console, *folder, process}) {}

std::optional<RunEnded> FakeRun::Until(const std::function<void(RunState&)>& steps) {
  try {
    steps(state);
  } catch (const RunEnded& ended) {
    return ended;
  }
  return std::nullopt;
}

}  // namespace torsova::testing
