// A folder held in memory, with the same name matching as the real ones: for
// fuzzing whole runs without touching the disk.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace torsova::testing {

class MemoryFolder final : public Folder {
 public:
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override;
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) override;
  bool Delete(const std::string& name) override;

  // The files by the names they were created under.
  std::map<std::string, std::string> files;

 private:
  std::optional<std::string> Find(const std::string& name) const;
};

}  // namespace torsova::testing
