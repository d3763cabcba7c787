#include "platform/memory_folder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/file_names.h"

namespace torsova {
namespace {

class BytesFile : public ReadableFile {
 public:
  explicit BytesFile(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Length() const override { return bytes_.size(); }
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t count = std::min(size, bytes_.size() - position_);
    if (count > 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
  }

 protected:
  std::string_view bytes_;

 private:
  std::size_t position_ = 0;
};

// A copy of a folder's file: what is read stays as it was at the opening.
class CopiedFile final : public BytesFile {
 public:
  explicit CopiedFile(std::string bytes) : BytesFile({}), copy_(std::move(bytes)) {
    bytes_ = copy_;
  }

 private:
  std::string copy_;
};

class MemoryWritableFile final : public WritableFile {
 public:
  explicit MemoryWritableFile(std::string* target) : target_(target) {}
  bool Write(std::string_view bytes) override {
    if (target_ == nullptr) return false;
    target_->append(bytes);
    return true;
  }
  bool Close() override {
    target_ = nullptr;
    return true;
  }

 private:
  std::string* target_;
};

}  // namespace

std::unique_ptr<ReadableFile> ReadBytes(std::string_view bytes) {
  return std::make_unique<BytesFile>(bytes);
}

std::optional<std::string> MemoryFolder::Find(const std::string& name) const {
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.first);
  return PickEntry(name, names);
}

std::unique_ptr<ReadableFile> MemoryFolder::OpenForReading(const std::string& name) {
  std::optional<std::string> entry = Find(name);
  if (!entry) return nullptr;
  return std::make_unique<CopiedFile>(files[*entry]);
}

std::unique_ptr<WritableFile> MemoryFolder::CreateForWriting(const std::string& name) {
  std::string& content = files[Find(name).value_or(name)];
  content.clear();
  return std::make_unique<MemoryWritableFile>(&content);
}

bool MemoryFolder::Delete(const std::string& name) {
  std::optional<std::string> entry = Find(name);
  return entry && files.erase(*entry) == 1;
}

}  // namespace torsova
