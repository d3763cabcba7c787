// A folder that holds one form, under the name torsova reads it by, and keeps
// in memory whatever is written into it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_names.h"
#include "platform/memory_folder.h"
#include "run/run_files.h"

namespace torsova::form {

class FormOnlyFolder final : public Folder {
 public:
  // `form` must outlive the folder.
  explicit FormOnlyFolder(std::string_view form) : form_(form) {}

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override {
    if (SameNameIgnoringCase(name, kFormName)) return ReadBytes(form_);
    return written.OpenForReading(name);
  }
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) override {
    return written.CreateForWriting(name);
  }
  bool Delete(const std::string& name) override { return written.Delete(name); }

  MemoryFolder written;

 private:
  std::string_view form_;
};

}  // namespace torsova::form
