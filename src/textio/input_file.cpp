#include "textio/input_file.h"

namespace torsova {

struct InputFile::State {
  std::unique_ptr<ReadableFile> file;
};

InputFile::InputFile(Folder& folder, const std::string& name)
    : state_(std::make_unique<State>()) {
  state_->file = folder.OpenForReading(name);
}

InputFile::~InputFile() = default;

bool InputFile::IsOpen() const { return state_->file != nullptr; }

void InputFile::Close() { state_->file.reset(); }

}  // namespace torsova
