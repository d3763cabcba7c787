// Fakes for running stages inside the test process: a console that records
// every step, a process whose ending is an exception the test catches, and a
// scratch folder on disk.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "run/run_state.h"

namespace torsova::testing {

// Records what the run shows: text as written, and "[clear]", "[bell]" and
// "[key]" for the other console steps.
class RecordingConsole final : public Console {
 public:
  void Clear() override { transcript += "[clear]"; }
  void Bell() override { transcript += "[bell]"; }
  void Write(std::string_view bytes) override { transcript.append(bytes); }
  void KeyWait() override { transcript += "[key]"; }

  std::string transcript;
};

// How a run ended inside the test process.
struct RunEnded {
  int status = 0;
  std::optional<std::string> viewer;  // the viewer the run tried to start
};

// Ends the process by throwing RunEnded; the viewer never starts.
class FakeProcess final : public Process {
 public:
  void StartViewer(const std::string& name) override { viewer_tried = name; }
  std::optional<std::string> viewer_tried;

 protected:
  void EndProcess(int status) override { throw RunEnded{status, viewer_tried}; }
};

// A fresh folder under the system's temporary folder, removed with its content.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Names are UTF-8 on every system. The names in the folder, sorted.
  std::vector<std::string> List() const;

 private:
  std::string path_;
};

// The whole content of the file at `path`; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The bytes of the bundled example form, a complete form of all 18 landmarks.
std::string ExampleForm();

// A run inside the test process on a scratch folder.
class FakeRun {
 public:
  FakeRun();

  RecordingConsole console;
  FakeProcess process;
  ScratchFolder scratch;
  std::unique_ptr<Folder> folder;
  RunState state;

  // Runs `steps` and returns how the run ended, or nothing when it returned.
  std::optional<RunEnded> Until(const std::function<void(RunState&)>& steps);
};

}  // namespace torsova::testing
