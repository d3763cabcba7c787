// A folder whose named files cannot be written, as on a full disk: they are
// created, but no write reaches them. Everything else goes to the folder it
// wraps.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_names.h"
#include "platform/platform.h"

namespace torsova::testing {

class FullDiskFolder final : public Folder {
 public:
  FullDiskFolder(Folder& folder, std::set<std::string> full_names)
      : folder_(folder), full_names_(std::move(full_names)) {}

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override {
    return folder_.OpenForReading(name);
  }

  std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) override {
    std::unique_ptr<WritableFile> file = folder_.CreateForWriting(name);
    for (const std::string& full : full_names_) {
      if (file && SameNameIgnoringCase(full, name)) return std::make_unique<FullFile>();
    }
    return file;
  }

  bool Delete(const std::string& name) override { return folder_.Delete(name); }

 private:
  class FullFile final : public WritableFile {
   public:
    bool Write(std::string_view bytes) override { return bytes.empty(); }
    bool Close() override { return true; }
  };

  Folder& folder_;
  std::set<std::string> full_names_;
};

}  // namespace torsova::testing
