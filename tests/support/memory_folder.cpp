#include "support/memory_folder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/file_names.h"

namespace torsova::testing {
namespace {

class MemoryReadableFile final : public ReadableFile {
 public:
  explicit MemoryReadableFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::uint64_t Length() const override { return bytes_.size(); }
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t count = std::min(size, bytes_.size() - position_);
    if (count > 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
  }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
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

std::optional<std::string> MemoryFolder::Find(const std::string& name) const {
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.first);
  return PickEntry(name, names);
}

std::unique_ptr<ReadableFile> MemoryFolder::OpenForReading(const std::string& name) {
  std::optional<std::string> entry = Find(name);
  if (!entry) return nullptr;
  return std::make_unique<MemoryReadableFile>(files[*entry]);
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

}  // namespace torsova::testing
