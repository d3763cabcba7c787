#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folder_posix.h"
#include "platform/path_files.h"

namespace torsova {
namespace {

// The reasons shown for a file that cannot be written, the same words on
// every system.
std::string WriteFailureReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "permission denied";
    case EROFS:
      return "the file system is read-only";
    case ENOENT:
    case ENOTDIR:
      return "no such folder";
    case EISDIR:
      return "it is a folder";
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    default:
      return "system error " + std::to_string(error);
  }
}

class PosixAtomicOutput final : public AtomicOutput {
 public:
  PosixAtomicOutput(int fd, std::string temporary, std::string target)
      : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}
  PosixAtomicOutput(const PosixAtomicOutput&) = delete;
  PosixAtomicOutput& operator=(const PosixAtomicOutput&) = delete;

  ~PosixAtomicOutput() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_.c_str());
  }

  bool Write(std::string_view bytes) override {
    while (error_ == 0 && !bytes.empty()) {
      const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        error_ = put < 0 ? errno : ENOSPC;
        break;
      }
      bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return error_ == 0;
  }

  bool Commit(std::string& reason) override {
    const int fd = fd_;
    fd_ = -1;
    // On the disk before the rename, so that a crash leaves the old file or the
    // whole new one.
    if (error_ == 0 && ::fsync(fd) != 0) error_ = errno;
    if (::close(fd) != 0 && error_ == 0) error_ = errno;
    if (error_ == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0) error_ = errno;
    if (error_ != 0) {
      reason = WriteFailureReason(error_);
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  int fd_;
  std::string temporary_;
  std::string target_;
  int error_ = 0;
  bool committed_ = false;
};

}  // namespace

OpenedPath OpenPathForReading(const std::string& path) {
  OpenedPath opened;
  // Non-blocking, so that a FIFO without a writer does not hold the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    opened.failure = error == ENOENT || error == ENOTDIR ? OpenFailure::kMissing
                     : error == EACCES || error == EPERM ? OpenFailure::kDenied
                     : error == EISDIR                   ? OpenFailure::kFolder
                                                         : OpenFailure::kOther;
    return opened;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    opened.failure = S_ISDIR(info.st_mode) ? OpenFailure::kFolder : OpenFailure::kNotRegular;
    ::close(fd);
    return opened;
  }
  opened.file = MakeReadableFile(fd, static_cast<std::uint64_t>(info.st_size));
  return opened;
}

std::unique_ptr<AtomicOutput> CreateAtomicOutput(const std::string& path, std::string& reason) {
  for (int attempt = 0;; ++attempt) {
    std::string temporary =
        TemporaryPathBeside(path, static_cast<unsigned long>(::getpid()), attempt);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return std::make_unique<PosixAtomicOutput>(fd, std::move(temporary), path);
    if (errno != EEXIST || attempt == 100) {
      reason = WriteFailureReason(errno);
      return nullptr;
    }
  }
}

std::size_t FileNameStart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

std::optional<std::string> FindInCurrentFolder(const std::string& name) {
  return FindInFolder(".", name);
}

}  // namespace torsova
