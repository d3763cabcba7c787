// Files held in memory: a folder with the same name matching as the real
// ones, and bytes read as a file. A whole run can take place in them without
// touching the disk.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace torsova {

// `bytes` read as a file; they must outlive the reader.
std::unique_ptr<ReadableFile> ReadBytes(std::string_view bytes);

class MemoryFolder final : public Folder {
 public:
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override;
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) override;
  bool Delete(const std::string& name) override;

  // The files by the names they were created under. A file is read as it was
  // when it was opened.
  std::map<std::string, std::string> files;

 private:
  std::optional<std::string> Find(const std::string& name) const;
};

}  // namespace torsova
