#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>

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
    case ENXIO:
      return "no program is reading from it";
    case ENAMETOOLONG:
      return "the name is too long";
    case ELOOP:
      return "too many symbolic links";
    default:
      return "system error " + std::to_string(error);
  }
}

// The one temporary file an interrupt removes. The handler stays installed;
// with nothing armed it only ends the program as the signal would have.
char removal_path[PATH_MAX];
volatile std::sig_atomic_t removal_armed = 0;
constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveAndEnd(int signal_number) {
  if (removal_armed) ::unlink(removal_path);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

sigset_t InterruptSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal_number : kInterrupts) sigaddset(&set, signal_number);
  return set;
}

// Installs the handler for the interrupts not ignored (a background job's
// or nohup's ignored signals stay ignored).
void InstallRemovalHandler() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signal_number : kInterrupts) {
    struct sigaction previous {};
    if (::sigaction(signal_number, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal_number, &action, nullptr);
  }
}

bool WriteAllTo(int fd, std::string_view bytes, int& error) {
  while (error == 0 && !bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      error = put < 0 ? errno : ENOSPC;
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return error == 0;
}

// A temporary file renamed onto the target at Commit.
class ReplacingOutput final : public NamedOutput {
 public:
  ReplacingOutput(int fd, std::string temporary, std::string target)
      : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}
  ReplacingOutput(const ReplacingOutput&) = delete;
  ReplacingOutput& operator=(const ReplacingOutput&) = delete;

  ~ReplacingOutput() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_.c_str());
    removal_armed = 0;
  }

  bool Write(std::string_view bytes) override { return WriteAllTo(fd_, bytes, error_); }

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
    removal_armed = 0;
    return true;
  }

 private:
  int fd_;
  std::string temporary_;
  std::string target_;
  int error_ = 0;
  bool committed_ = false;
};

// A device, FIFO or terminal, written as it comes.
class StraightOutput final : public NamedOutput {
 public:
  explicit StraightOutput(int fd) : fd_(fd) {}
  StraightOutput(const StraightOutput&) = delete;
  StraightOutput& operator=(const StraightOutput&) = delete;
  ~StraightOutput() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(std::string_view bytes) override { return WriteAllTo(fd_, bytes, error_); }

  bool Commit(std::string& reason) override {
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ == 0) return true;
    reason = WriteFailureReason(error_);
    return false;
  }

 private:
  int fd_;
  int error_ = 0;
};

// The file `path` names once its symbolic links are followed; it need not
// exist yet (a link may name a file still to be written).
bool FollowLinks(std::string& path, int& error) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) {
      error = length < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    const std::string named(target, static_cast<std::size_t>(length));
    path = named.front() == '/' ? named : path.substr(0, FileNameStart(path)) + named;
  }
  error = ELOOP;
  return false;
}

// Written straight: the node is opened as it is, never created or emptied.
// Non-blocking at the open only, so that a FIFO without a reader fails at
// once (ENXIO) instead of holding the run; the writes then block as usual.
std::unique_ptr<NamedOutput> OpenStraight(const std::string& path, std::string& reason) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  const int flags = fd < 0 ? -1 : ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    reason = WriteFailureReason(errno);
    if (fd >= 0) ::close(fd);
    return nullptr;
  }
  return std::make_unique<StraightOutput>(fd);
}

// A new file beside `target` with the mode (and, where allowed, the owner)
// of `replaced`, or 0666 less the umask for a new output.
std::unique_ptr<NamedOutput> OpenReplacing(const std::string& target, const struct stat* replaced,
                                           std::string& reason) {
  const std::string folder = target.substr(0, FileNameStart(target));
  const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  const std::size_t name_limit = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
  const sigset_t interrupts = InterruptSet();
  InstallRemovalHandler();
  for (int attempt = 0;; ++attempt) {
    const std::string temporary =
        TemporaryPathBeside(target, static_cast<unsigned long>(::getpid()), attempt, name_limit);
    if (temporary.size() >= sizeof removal_path) {
      reason = WriteFailureReason(ENAMETOOLONG);
      return nullptr;
    }
    // An interrupt between the creation and the arming would leave the file.
    sigset_t before;
    ::sigprocmask(SIG_BLOCK, &interrupts, &before);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const int error = errno;
    if (fd >= 0) {
      temporary.copy(removal_path, temporary.size());
      removal_path[temporary.size()] = '\0';
      removal_armed = 1;
    }
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd >= 0) {
      auto output = std::make_unique<ReplacingOutput>(fd, temporary, target);
      if (replaced != nullptr) {
        // Root keeps another user's file theirs; others cannot, and need not.
        if (::fchown(fd, replaced->st_uid, replaced->st_gid) != 0) {
        }
        if (::fchmod(fd, replaced->st_mode & 07777) != 0) {
          reason = WriteFailureReason(errno);
          return nullptr;
        }
      }
      return output;
    }
    if (error != EEXIST || attempt == 100) {
      reason = WriteFailureReason(error);
      return nullptr;
    }
  }
}

FileIdentity IdentityOfStat(int result, const struct stat& info) {
  if (result != 0) return FileIdentity{};
  return FileIdentity{true, static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

FileIdentity IdentityOf(const std::string& path) {
  struct stat info {};
  return IdentityOfStat(::stat(path.c_str(), &info), info);
}

FileIdentity StandardOutputIdentity() {
  struct stat info {};
  return IdentityOfStat(::fstat(STDOUT_FILENO, &info), info);
}

std::unique_ptr<NamedOutput> OpenNamedOutput(const std::string& path, std::string& reason) {
  struct stat info {};
  const bool exists = ::stat(path.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    reason = WriteFailureReason(EISDIR);
    return nullptr;
  }
  if (exists && !S_ISREG(info.st_mode)) return OpenStraight(path, reason);
  std::string target = path;
  int error = 0;
  if (!FollowLinks(target, error)) {
    reason = WriteFailureReason(error);
    return nullptr;
  }
  return OpenReplacing(target, exists ? &info : nullptr, reason);
}

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

std::size_t FileNameStart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

std::optional<std::string> FindInCurrentFolder(const std::string& name) {
  return FindInFolder(".", name);
}

}  // namespace torsova
