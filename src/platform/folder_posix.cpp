#include "platform/folder_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/file_names.h"
#include "platform/platform.h"

namespace torsova {
namespace {

class PosixReadableFile final : public PathFile {
 public:
  PosixReadableFile(int fd, std::uint64_t length) : fd_(fd), length_(length) {}
  ~PosixReadableFile() override { ::close(fd_); }
  PosixReadableFile(const PosixReadableFile&) = delete;
  PosixReadableFile& operator=(const PosixReadableFile&) = delete;

  std::uint64_t Length() const override { return length_; }
  bool ReadFailed() const override { return failed_; }

  // Never reads past the length measured at opening, so a file that keeps
  // growing still ends.
  std::size_t Read(char* buffer, std::size_t size) override {
    if (failed_ || position_ >= length_) return 0;
    if (size > length_ - position_) size = static_cast<std::size_t>(length_ - position_);
    for (;;) {
      ssize_t got = ::read(fd_, buffer, size);
      if (got > 0) {
        position_ += static_cast<std::uint64_t>(got);
        return static_cast<std::size_t>(got);
      }
      if (got < 0 && errno == EINTR) continue;
      failed_ = true;  // an error of the medium, or a file that shrank
      return 0;
    }
  }

 private:
  int fd_;
  std::uint64_t length_;
  std::uint64_t position_ = 0;
  bool failed_ = false;
};

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override { Close(); }
  PosixWritableFile(const PosixWritableFile&) = delete;
  PosixWritableFile& operator=(const PosixWritableFile&) = delete;

  bool Write(std::string_view bytes) override {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
      ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return true;
    int fd = fd_;
    fd_ = -1;
    return close_written_file(fd) == 0;
  }

 private:
  int fd_;
};

class PosixFolder final : public Folder {
 public:
  explicit PosixFolder(std::string dir) : dir_(std::move(dir)) {}

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override {
    std::optional<std::string> entry = FindInFolder(dir_, name);
    if (!entry) return nullptr;
    // Non-blocking, so that a FIFO without a writer does not hold the run.
    int fd = ::open(PathOf(*entry).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    // Only a regular file has content; a device or FIFO reads as empty.
    std::uint64_t length = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    return MakeReadableFile(fd, length);
  }

  std::unique_ptr<WritableFile> CreateForWriting(const std::string& name) override {
    std::string entry = FindInFolder(dir_, name).value_or(name);
    int fd = ::open(PathOf(entry).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWritableFile>(fd);
  }

  bool Delete(const std::string& name) override {
    std::optional<std::string> entry = FindInFolder(dir_, name);
    return entry && ::unlink(PathOf(*entry).c_str()) == 0;
  }

 private:
  std::string PathOf(const std::string& entry) const { return dir_ + "/" + entry; }

  std::string dir_;
};

}  // namespace

std::unique_ptr<PathFile> MakeReadableFile(int fd, std::uint64_t length) {
  return std::make_unique<PosixReadableFile>(fd, length);
}

int (*close_written_file)(int fd) = ::close;

std::optional<std::string> FindInFolder(const std::string& dir, const std::string& name) {
  struct stat info {};
  if (::lstat((dir + "/" + name).c_str(), &info) == 0) return name;
  DIR* folder = ::opendir(dir.c_str());
  if (folder == nullptr) return std::nullopt;
  std::vector<std::string> variants;
  while (const dirent* item = ::readdir(folder)) {
    if (SameNameIgnoringCase(item->d_name, name)) variants.emplace_back(item->d_name);
  }
  ::closedir(folder);
  return PickEntry(name, variants);
}

std::unique_ptr<Folder> MakeSystemFolder(const std::string& path) {
  return std::make_unique<PosixFolder>(path);
}

}  // namespace torsova
